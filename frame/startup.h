// The program entry's work: start-up, the start window, the message loop and
// the shutdown.
#pragma once

#include "frame/template/template_records.h"
#include "services/values.h"

struct ProgramDefinition {
  ByteBlock windowTemplate;  // the stored window template; size 0: no windows
  HandlerTable handlers;     // what the template's handler references stand for
  // Registers the unit classes that the template's records name.
  void (*registerUnitClasses)() = nullptr;
  // The program's own start-up procedure, run before the start window loads.
  void (*startUp)() = nullptr;
};

// Runs the program and answers the exit code of the WM_QUIT that ended its
// message loop. Run-time errors and EndProgram end the process from inside.
int RunProgram(const ProgramDefinition& program);

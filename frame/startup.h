// The program entry's work: start-up, the start window, the message loop and
// the shutdown, for the program that hands over its definition.
#pragma once

#include <cstdint>

#include "frame/template/template_records.h"
#include "frame/unit_class.h"
#include "services/values.h"

struct ProgramDefinition {
  ByteBlock windowTemplate;            // the stored window template; size 0: no windows
  HandlerTable handlers;               // what the template's handler references stand for
  UnitClassList unitClasses;           // the classes that the template's records name
  WindowId startWindow = kNoWindow;    // loaded once start-up is done
  AccessibleNameList accessibleNames;  // what screen readers call units beyond their captions
};

// Runs the program and answers the exit code of the WM_QUIT that ended its
// message loop. Run-time errors and EndProgram end the process from inside.
int RunProgram(const ProgramDefinition& program);

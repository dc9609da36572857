// Entry point of the setup program: the frame runs the product's window
// template with the program's unit classes and handlers.
#include <windows.h>

#include "assets/template/morvane_identifiers.h"
#include "frame/startup.h"
#include "frame/template/embedded_template.h"
#include "installer/program_handlers.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  ProgramDefinition program;
  program.windowTemplate = EmbeddedTemplate();
  program.handlers = ProgramHandlers();
  program.unitClasses = ProgramUnitClasses();
  program.startWindow = kStartWindow;
  program.accessibleNames = ProgramAccessibleNames();
  return RunProgram(program);
}

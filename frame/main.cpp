// Entry point of the setup program.
#include <windows.h>

#include "frame/startup.h"
#include "frame/template/embedded_template.h"

namespace {

// The handler references that the product's template binds. The installer
// controller's handlers take these places; until then the events are bound
// to nothing and ignored.
const HandlerEntry kProgramHandlers[] = {
    {0x0000, nullptr},  // the start window's created event
    {0x0007, nullptr},  // OnAgreementLinkPressed
    {0x0045, nullptr},  // OnCloseClicked
    {0x0073, nullptr},  // OnTitlePressed
    {0x0192, nullptr},  // OnInstallClicked
    {0x13AC, nullptr},  // OnMinimiseClicked
};

// The widget classes register here as they are built; a record of a class
// that is not registered fails the loading of its window.
void RegisterProgramUnitClasses() {}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ProgramDefinition program;
  program.windowTemplate = EmbeddedTemplate();
  program.handlers = HandlerTable{kProgramHandlers, sizeof kProgramHandlers / sizeof kProgramHandlers[0]};
  program.registerUnitClasses = RegisterProgramUnitClasses;
  return RunProgram(program);
}

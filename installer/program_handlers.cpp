#include "installer/program_handlers.h"

#include "installer/controller.h"

namespace {

// The references are the ones the template stores with each binding.
const HandlerEntry kHandlers[] = {
    {0x0000, OnStartWindowCreated}, {0x0007, OnAgreementLinkPressed}, {0x0045, OnCloseClicked},
    {0x0073, OnTitlePressed},       {0x0192, OnInstallClicked},       {0x13AC, OnMinimiseClicked},
};

}  // namespace

HandlerTable ProgramHandlers() {
  return HandlerTable{kHandlers, sizeof kHandlers / sizeof kHandlers[0]};
}

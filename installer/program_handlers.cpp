#include "installer/program_handlers.h"

namespace {

// The installer controller's handlers take these places; until then the
// events are bound to nothing and ignored.
const HandlerEntry kHandlers[] = {
    {0x0000, nullptr},  // the start window's created event
    {0x0007, nullptr},  // OnAgreementLinkPressed
    {0x0045, nullptr},  // OnCloseClicked
    {0x0073, nullptr},  // OnTitlePressed
    {0x0192, nullptr},  // OnInstallClicked
    {0x13AC, nullptr},  // OnMinimiseClicked
};

}  // namespace

HandlerTable ProgramHandlers() { return HandlerTable{kHandlers, sizeof kHandlers / sizeof kHandlers[0]}; }

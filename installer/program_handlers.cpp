#include "installer/program_handlers.h"

#include "assets/template/morvane_identifiers.h"
#include "installer/controller.h"

namespace {

const HandlerEntry kHandlers[] = {
    {kOnStartWindowCreatedReference, OnStartWindowCreated},
    {kOnAgreementLinkPressedReference, OnAgreementLinkPressed},
    {kOnCloseClickedReference, OnCloseClicked},
    {kOnTitlePressedReference, OnTitlePressed},
    {kOnInstallClickedReference, OnInstallClicked},
    {kOnMinimiseClickedReference, OnMinimiseClicked},
};

}  // namespace

HandlerTable ProgramHandlers() {
  return HandlerTable{kHandlers, sizeof kHandlers / sizeof kHandlers[0]};
}

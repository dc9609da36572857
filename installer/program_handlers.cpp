#include "installer/program_handlers.h"

#include "assets/template/morvane_identifiers.h"
#include "installer/controller.h"
#include "texts/accessible.h"

namespace {

const HandlerEntry kHandlers[] = {
    {kOnStartWindowCreatedReference, OnStartWindowCreated},
    {kOnAgreementLinkPressedReference, OnAgreementLinkPressed},
    {kOnCloseClickedReference, OnCloseClicked},
    {kOnTitlePressedReference, OnTitlePressed},
    {kOnInstallClickedReference, OnInstallClicked},
    {kOnMinimiseClickedReference, OnMinimiseClicked},
};

// What a sighted person reads there: the words of the buttons' pictures,
// and for the windows, whose captions stay empty, the product's name and
// the agreement's title.
const AccessibleName kAccessibleNames[] = {
    {kStartWindow, kStartWindowName},         {kInstallButton, kInstallButtonName},
    {kMinimiseButton, kMinimiseButtonName},   {kCloseButton, kCloseButtonName},
    {kAgreementWindow, kAgreementWindowName},
};

}  // namespace

HandlerTable ProgramHandlers() {
  return HandlerTable{kHandlers, sizeof kHandlers / sizeof kHandlers[0]};
}

AccessibleNameList ProgramAccessibleNames() {
  return AccessibleNameList{kAccessibleNames, sizeof kAccessibleNames / sizeof kAccessibleNames[0]};
}

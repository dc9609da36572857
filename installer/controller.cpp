#include "installer/controller.h"

#include <windows.h>

#include "assets/template/morvane_identifiers.h"
#include "frame/message_box.h"
#include "frame/shutdown.h"
#include "frame/unit_properties.h"
#include "frame/window_services.h"
#include "installer/carried_blocks.h"
#include "installer/cooperative_wait.h"
#include "installer/payload.h"
#include "installer/registration.h"
#include "texts/setup_messages.h"
#include "widgets/check_box/check_box_properties.h"
#include "widgets/process_bar/process_bar_properties.h"
#include "widgets/window/window_properties.h"

namespace {

constexpr int kCheckedProperty = ClassProperty(kCheckBoxChecked);
constexpr int kPositionProperty = ClassProperty(kProcessBarPosition);
constexpr int kStartPositionProperty = ClassProperty(kWindowStartPosition);

// The animation: one position per 0.1 s up to 58, then the full bar for
// half a second. It tracks no work; it only shows that something happens.
constexpr int32_t kLastStepPosition = 58;
constexpr int32_t kFullPosition = 59;
constexpr int32_t kStepDelay = 100000;   // microseconds
constexpr int32_t kFinalPause = 500000;  // microseconds

constexpr int32_t kExitCode = 0;
// A damaged copy of the program ends with this, after its message.
constexpr int32_t kDamagedExitCode = -1;

// The start window goes when its close button or Esc is used, also in the
// middle of the installation, and its units go with it.
bool StartWindowOpen() { return IsUnitLoaded(kStartWindow); }

void Show(UnitRef unit) { WriteUnitProperty(unit, kVisibleProperty, Value::Logical(true)); }

void SetProgress(int32_t position) {
  WriteUnitProperty(kProgressBar, kPositionProperty, Value::Integer(position));
}

// An OK box with the default caption and no owner. When the last window was
// closed during the installation, its quit message is waiting in the queue,
// and a quit message ends a box's modal loop before anyone sees it: it is
// set aside while the box is up and put back after.
void ShowMessage(const char* text) {
  MSG quit{};
  const bool quitWaiting = PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  ShowMessageBox(Value::OfText(text));
  if (quitWaiting) PostQuitMessage(int(quit.wParam));
}

// The progress view over the install button, the check box and the link
// (the cover first, so that nothing under it can be pressed again), then the
// animation. Once the start window is gone there is nothing left to show:
// the rest of the animation is skipped and the installation goes on.
void RunProgressView() {
  if (!StartWindowOpen()) return;
  Show(kProgressCover);
  Show(kProgressText);
  Show(kProgressBar);
  SetProgress(0);
  // Each position is shown for its own time, counted from when it was set:
  // a handler that runs long inside a wait (the title held in a drag) delays
  // the rest of the animation, which does not then race ahead to catch up.
  for (int32_t position = 1; position <= kLastStepPosition; ++position) {
    SetProgress(position);
    CooperativeWait(kStepDelay);
    if (!StartWindowOpen()) return;
  }
  SetProgress(kFullPosition);
  CooperativeWait(kFinalPause);
}

}  // namespace

void OnStartWindowCreated(EventRecord&) {}

void OnAgreementLinkPressed(EventRecord&) { LoadWindow(kAgreementWindow); }

void OnTitlePressed(EventRecord&) { SendUnitMessage(kStartWindow, WM_NCLBUTTONDOWN, HTCAPTION, 0); }

void OnMinimiseClicked(EventRecord&) {
  WriteUnitProperty(kStartWindow, kStartPositionProperty, Value::Integer(kStartMinimised));
}

void OnCloseClicked(EventRecord&) { DestroyUnit(kStartWindow); }

void OnInstallClicked(EventRecord&) {
  const Value checked = ReadUnitProperty(kAgreementCheckBox, kCheckedProperty);
  if (!ConvertValue(checked, ValueType::Logical).logical) {
    ShowMessage(kAcceptFirst);
    return;
  }

  // A damaged copy would install damaged files. It writes nothing, and it
  // ends: pressing the button again cannot mend it.
  if (!CarriedBlocksIntact()) {
    ShowMessage(kSetupDamaged);
    EndProgram(kDamagedExitCode);
  }

  PrepareFolder(kInstallationFolder);
  if (!WriteFileItem(kMainProgram)) {
    // Nothing else was touched; the window is as it was and a new press
    // starts again from the gate.
    ShowMessage(kInstallFailed);
    return;
  }

  RunProgressView();

  // The uninstaller and the icon are not worth stopping for.
  WriteFileItem(kUninstaller);
  WriteFileItem(kProductIcon);

  if (!RegisterInstallation()) {
    ShowMessage(kRegistryFailed);
    EndProgram(kExitCode);
  }
  ShowMessage(kInstallDone);
  EndProgram(kExitCode);
}

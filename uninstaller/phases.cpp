#include "uninstaller/phases.h"

#include <windows.h>

#include "frame/program_path.h"
#include "services/wide_text.h"
#include "uninstaller/handover.h"
#include "uninstaller/private_folder.h"
#include "uninstaller/removal.h"

namespace {

// This program's file; empty when Windows does not say.
WidePath OwnPath() {
  const ProgramPath& own = GetProgramPath();
  return own.fileName.Empty() ? WidePath() : own.folderSlash + own.fileName;
}

bool AskToRemove() {
  return MessageBoxW(nullptr, WideText(kUninstallQuestion).c_str(),
                     WideText(kUninstallCaption).c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_SETFOREGROUND) == IDYES;
}

PhaseOutcome OutcomeOf(const UninstallReport& report) {
  PhaseOutcome outcome;
  outcome.exitCode = ExitCodeOf(report);
  outcome.message = FinalMessage(report);
  return outcome;
}

// The final box, always the first phase's: the process that was started
// ends only once it has been answered.
int Finish(const PhaseOutcome& outcome) {
  const UINT icon = outcome.exitCode == 0 ? MB_ICONINFORMATION : MB_ICONWARNING;
  MessageBoxW(nullptr, WideText(outcome.message).c_str(), WideText(kUninstallCaption).c_str(),
              MB_OK | icon | MB_SETFOREGROUND);
  return outcome.exitCode;
}

}  // namespace

int RunFirstPhase() {
  if (!AskToRemove()) return ERROR_CANCELLED;
  RemoveLeftoverFolders();
  const WidePath self = OwnPath();
  PrivateFolder place;
  if (!self.Empty() && place.Make()) {
    PhaseOutcome outcome;
    if (place.PutCopy(self, GetProgramPath().fileName) && HandOver(&place, self, &outcome))
      return Finish(outcome);
    place.Remove();
  }
  // The copy cannot run (application control may refuse programs in the
  // temporary folder, or the system has no temporary folder): everything
  // else goes from here, and this file with its folder at the next restart.
  UninstallReport report;
  RemovalAfterwards nothingAfterwards;
  RemoveInstallation(RemovalPlace::InPlace, self, &report, &nothingAfterwards);
  return Finish(OutcomeOf(report));
}

int RunSecondPhase(const PhaseTwo& phase) {
  FirstPhase first;
  if (!first.Take(phase)) return kHandOverRefused;
  UninstallReport report;
  RemovalAfterwards afterwards;
  RemoveInstallation(RemovalPlace::Copy, first.File(), &report, &afterwards);
  const WidePath self = OwnPath();
  // The copy and its folder go at the next restart, in that order: paths in
  // the system's temporary folder, which no user can redirect before then.
  // Only a copy in a private folder marks itself: a second phase started by
  // hand from anywhere else leaves its file alone.
  if (IsInPrivateFolder(self)) {
    MoveFileExW(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    MoveFileExW(GetProgramPath().folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  }
  // Everything but what the first phase runs from is done: the first phase
  // shows the outcome, and ends once it has been read.
  first.Send(OutcomeOf(report));
  if (!afterwards.file.Empty() || !afterwards.folder.Empty()) {
    first.WaitForItsEnd();
    RemoveAfterwards(afterwards);
  }
  return ExitCodeOf(report);
}

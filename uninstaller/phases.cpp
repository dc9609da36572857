#include "uninstaller/phases.h"

#include <windows.h>

#include "frame/program_path.h"
#include "services/handles.h"
#include "services/shell.h"
#include "services/wide_text.h"
#include "uninstaller/private_folder.h"
#include "uninstaller/removal.h"

namespace {

// A wait for the first phase that never ends would keep the copy alive for
// nothing; after it, the original file may still be in use, and says so.
constexpr DWORD kFirstPhaseWaitMs = 60000;

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

int Finish(const UninstallReport& report) {
  const UINT icon = report.failed.empty() ? MB_ICONINFORMATION : MB_ICONWARNING;
  MessageBoxW(nullptr, WideText(FinalMessage(report)).c_str(), WideText(kUninstallCaption).c_str(),
              MB_OK | icon | MB_SETFOREGROUND);
  return ExitCodeOf(report);
}

// Starts `copy` as the second phase, with a handle to this process that it
// inherits and waits on, in the system folder as its current folder.
bool StartSecondPhase(const WidePath& copy, const WidePath& original) {
  HANDLE self = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                       SYNCHRONIZE, TRUE, 0))
    return false;
  FileHandle selfOwner(self);
  PhaseTwo phase;
  phase.waitHandle = uint64_t(uintptr_t(self));
  // A text names the original exactly, or the copy is not started.
  if (!TextOfPath(original, &phase.original)) return false;
  // CreateProcessW may write into the command line: the room is ours.
  WidePath commandLine = "\"" + copy + "\" " + PhaseTwoArguments(phase);
  const WidePath systemFolder = GetSpecialFolder(kFolderSystem);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(copy.c_str(), commandLine.Buffer(), nullptr, nullptr, TRUE, 0, nullptr,
                      systemFolder.Empty() ? nullptr : systemFolder.c_str(), &startup, &started))
    return false;
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

}  // namespace

int RunFirstPhase() {
  if (!AskToRemove()) return ERROR_CANCELLED;
  RemoveLeftoverFolders();
  const WidePath self = OwnPath();
  WidePath folder;
  if (!self.Empty() && MakePrivateFolder(&folder)) {
    const WidePath copy = folder + "\\" + GetProgramPath().fileName;
    if (CopyFileW(self.c_str(), copy.c_str(), TRUE) && StartSecondPhase(copy, self)) return 0;
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
  }
  // The copy cannot run (application control may refuse programs in the
  // temporary folder, or there is no temporary folder): everything else goes
  // from here, and this file with its folder at the next restart.
  UninstallReport report;
  RemoveInstallation(RemovalPlace::InPlace, self, &report);
  return Finish(report);
}

int RunSecondPhase(const PhaseTwo& phase) {
  HANDLE first = HANDLE(uintptr_t(phase.waitHandle));
  WaitForSingleObject(first, kFirstPhaseWaitMs);
  CloseHandle(first);
  UninstallReport report;
  const WidePath self = OwnPath();
  RemoveInstallation(RemovalPlace::Copy, self, &report);
  // The copy and its folder go at the next restart, in that order. Only a
  // copy in a private folder marks itself: a second phase started by hand
  // from anywhere else leaves its file alone.
  if (IsInPrivateFolder(self)) {
    MoveFileExW(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    MoveFileExW(GetProgramPath().folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  }
  return Finish(report);
}

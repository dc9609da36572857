// What an uninstall run did, item by item, and the final message and exit
// code it ends with. Names and texts are code page 936. Pure code: builds
// for Windows and for the host.
#pragma once

#include <vector>

#include "services/values.h"
// The uninstaller's texts: the caption of its boxes, its question, its
// final messages.
#include "texts/uninstaller.h"

struct UninstallReport {
  std::vector<Text> removed;
  std::vector<Text> notFound;
  // Left alone: no longer what the setup program wrote (another program
  // changed it, or it leads elsewhere).
  std::vector<Text> kept;
  std::vector<Text> failed;
  // Marked for deletion at the next restart of Windows.
  std::vector<Text> atRestart;
  // The uninstaller and the uninstall entry stayed because something else
  // could not be removed: the way to run the uninstaller again.
  bool uninstallerKept = false;
};

// The final message: that Morvane was removed, or that nothing of it was
// found, followed by what could not be removed (and that the uninstaller
// stayed for another run), what is removed at the next restart, what was
// left alone and what was not found, each named.
Text FinalMessage(const UninstallReport& report);

// The final message when the removal broke off without saying what became
// of each item: that Morvane was not completely removed.
Text OutcomeLostMessage();

// 0 when nothing failed, 1 otherwise.
int ExitCodeOf(const UninstallReport& report);

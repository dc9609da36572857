// Removing what the setup program wrote, and nothing else: each file by its
// fixed name, with what an interrupted write left beside it under the
// writer's temporary names; each registry key only while it still holds what
// the setup program wrote there, each shortcut only while it still leads to
// the product, each folder only once it is empty. Nothing is followed through
// a link or junction.
#pragma once

#include "services/wide_text.h"
#include "uninstaller/uninstall_report.h"

// Where the removal runs from.
enum class RemovalPlace {
  // The copy in the private folder: every file can go, the uninstaller too.
  Copy,
  // The uninstaller itself, because the copy could not be started: the
  // running file, and the folder that holds it, are marked for deletion at
  // the next restart instead.
  InPlace,
};

// Removes the installation and says what became of each item. `running` is
// the file of this process. COM must be initialised on the calling thread.
void RemoveInstallation(RemovalPlace place, const WidePath& running, UninstallReport* report);

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
  // The copy in the private folder: every file can go, the uninstaller once
  // the first phase has ended.
  Copy,
  // The uninstaller itself, because the copy could not be started: the
  // running file, and the folder that holds it, are marked for deletion at
  // the next restart instead.
  InPlace,
};

// What goes only once the first phase, which runs from the installed
// uninstaller, has ended: that file, and the folder that holds it. Empty
// paths for nothing.
struct RemovalAfterwards {
  WidePath file;
  WidePath folder;
};

// Removes the installation and says what became of each item. `running` is
// the uninstaller file that a process of ours runs from: this process's for
// InPlace, the first phase's for Copy, which then stays for `afterwards`
// (named as removed). Where anything cannot be removed, the uninstaller,
// its folder and the uninstall entry stay, so that the uninstaller can run
// again, and the report says so. COM must be initialised on the calling
// thread.
void RemoveInstallation(RemovalPlace place, const WidePath& running, UninstallReport* report,
                        RemovalAfterwards* afterwards);

// Removes what waited for the first phase to end; what cannot go now goes at
// the next restart.
void RemoveAfterwards(const RemovalAfterwards& afterwards);

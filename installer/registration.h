// Shell registration of an installation: the file class of ".zorva", the two
// context-menu verbs, the program group with its shortcuts, the desktop
// shortcut and the uninstall entry, each as the installation table has it.
#pragma once

#include "services/values.h"

// Writes the values of the extension key and of the class key (the class
// name, its icon, its open command and NeverShowExt), then tells the shell
// that associations changed. The keys are named after `classBase`; the open
// command starts `exePath`, the icon is the first in `iconPath`. Stops at the
// first write that fails: what was written stays, nothing after it is
// written and the shell is not told. The open command quotes the program
// path and the argument, so that neither a blank in the path nor one in a
// file name splits the command line.
bool RegisterFileClass(const Text& exePath, const Text& classBase, const Text& iconPath);

// Writes the command of the verb `verbName` for every file (respectively for
// folders): the quoted program `command`, then the quoted argument. A verb
// name holding a backslash would name other keys; it writes nothing.
bool AddAllFilesVerb(const Text& verbName, const Text& command);
bool AddFolderVerb(const Text& verbName, const Text& command);

// The whole registration, in its fixed order: the file class, each verb
// unless an earlier installation left a command for it, the program group
// folder, the desktop shortcut and the two group shortcuts, the values of
// the uninstall entry. False when the file class could not be registered;
// then nothing after it is done. Every later failure goes unreported, as the
// installation does not depend on it. COM must be initialised on the thread.
bool RegisterInstallation();

// The first phase's private folder under the system's temporary folder
// (%SystemRoot%\Temp), where the copy of the uninstaller runs from: a fresh
// name from the system's cryptographic generator, the administrators its
// owner and an access list that lets in administrators and SYSTEM only
// (uninstaller/private_folder_rule.h), so that nothing else can put a
// library beside the copy. Never the user's temporary folder: the user may
// rename, replace or link what lies in it, and could lead the elevated
// copy, its cleanup and the deletions at the next restart anywhere.
#pragma once

#include <windows.h>

#include "services/handles.h"
#include "services/wide_text.h"

// A private folder and the copy in it, each held open from the moment it is
// made until the copy has been started: while the folder is held nobody can
// rename it or put another in its place (its handle does not share
// deletion), and while the copy is held nobody can write or replace it (it
// is shared for reading only, which still lets Windows start it).
class PrivateFolder {
 public:
  PrivateFolder() = default;
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  // Creates a new private folder and holds it. A name that exists already
  // is never taken over: another one is drawn. False when no folder could
  // be made, among others where the system's temporary folder is missing:
  // nothing else is created.
  bool Make();
  // Copies `original` into the folder as `fileName` and holds the copy.
  // False, with no copy, when it cannot be written or held.
  bool PutCopy(const WidePath& original, const WidePath& fileName);

  // The folder's path, no trailing backslash; the copy's path.
  const WidePath& Folder() const { return folder_; }
  const WidePath& Copy() const { return copy_; }

  // Closes both handles: once the copy runs, or will not.
  void LetGo();
  // Deletes the copy and the folder, where the copy could not run.
  void Remove();

 private:
  WidePath folder_;
  WidePath copy_;
  FileHandle heldFolder_{INVALID_HANDLE_VALUE};
  FileHandle heldCopy_{INVALID_HANDLE_VALUE};
};

// Removes what earlier runs left in the system's temporary folder: a folder
// of exactly a private folder's name goes, with the files in it, only when
// it is a plain folder (no link or junction) whose owner and access list
// are a private folder's, checked on a handle that holds it. Each file
// inside is deleted through a handle of its own, never through a link;
// sub-folders and links are never followed. Folders in use (a copy still
// running) stay. The user's temporary folder is not looked at.
void RemoveLeftoverFolders();

// Whether `path` lies directly in a folder named as the private folders
// are, directly under the system's temporary folder: the copy's place.
bool IsInPrivateFolder(const WidePath& path);

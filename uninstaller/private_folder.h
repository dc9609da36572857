// The first phase's private folder under the temporary folder, where the
// copy of the uninstaller runs from: a fresh name from the system's
// cryptographic generator, and an access list that lets in administrators
// and SYSTEM only, so that nothing else can put a library beside the copy.
#pragma once

#include "services/values.h"
#include "services/wide_text.h"

// Creates a new private folder; its path (no trailing backslash) in
// `folder`. A name that exists already is never taken over: another one is
// drawn. False when no folder could be made.
bool MakePrivateFolder(WidePath* folder);

// Removes what earlier runs left: every folder under the temporary folder
// named as the private folders are, with the files in it. Folders in use (a
// copy still running) stay; links and junctions are never followed.
void RemoveLeftoverFolders();

// Whether `path` lies in a folder named as the private folders are, directly
// under the temporary folder: the copy's place.
bool IsInPrivateFolder(const WidePath& path);

// What makes a folder under the system's temporary folder one of the
// uninstaller's private folders: its exact name and its security
// descriptor. A folder that passes both was made by an elevated uninstaller
// and nobody else could have put anything in it; any other folder, however
// it is named, is someone else's and is never touched. Pure code: builds for
// Windows and for the host.
#pragma once

#include <cstddef>

#include "services/values.h"

// A private folder's name: this prefix and exactly kPrivateFolderDigits
// lowercase hexadecimal digits.
constexpr char kPrivateFolderPrefix[] = "MorvaneUninstall-";
constexpr size_t kPrivateFolderDigits = 16;

// The security descriptor a private folder is made with: the built-in
// administrators its owner, named explicitly (the default owner of an
// elevated token may be the user); a protected access list (nothing
// inherited from the temporary folder, whose list lets every user create)
// with full control for the administrators and SYSTEM, inherited by what is
// created inside.
constexpr char kPrivateFolderSecurity[] = "O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";

// Whether `name` (a name in a folder, no path) is exactly a private
// folder's.
bool IsPrivateFolderName(const Text& name);

// Whether the owner and access list of a folder, as Windows reads them back
// in SDDL (owner and access list only), are a private folder's: owned by the
// administrators or SYSTEM, and an access list that is exactly ours. Windows
// may mark a protected list as having taken part in automatic inheritance
// ("AI", "AR"); any other flag, entry or order is not ours.
bool IsPrivateFolderSecurity(const Text& sddl);

#include "uninstaller/private_folder_rule.h"

#include <cstring>

namespace {

// The access list's entries, as the descriptor the folders are made with
// gives them.
const char* const kOurEntries = std::strchr(kPrivateFolderSecurity, '(');

bool IsLowerHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// The access list's flags: "P" once, then "AI" and "AR" each at most once,
// in any order, as Windows writes them.
bool AreOurListFlags(const Text& flags) {
  bool isProtected = false, autoInherited = false, inheritRequired = false;
  for (size_t at = 0; at < flags.size();) {
    bool* seen = nullptr;
    size_t length = 2;
    if (flags[at] == 'P') {
      seen = &isProtected;
      length = 1;
    } else if (flags.compare(at, 2, "AI") == 0) {
      seen = &autoInherited;
    } else if (flags.compare(at, 2, "AR") == 0) {
      seen = &inheritRequired;
    }
    if (!seen || *seen) return false;
    *seen = true;
    at += length;
  }
  return isProtected;
}

}  // namespace

bool IsPrivateFolderName(const Text& name) {
  const size_t prefix = sizeof kPrivateFolderPrefix - 1;
  if (name.size() != prefix + kPrivateFolderDigits || name.compare(0, prefix, kPrivateFolderPrefix))
    return false;
  for (size_t i = prefix; i < name.size(); ++i)
    if (!IsLowerHexDigit(name[i])) return false;
  return true;
}

bool IsPrivateFolderSecurity(const Text& sddl) {
  // "O:" owner "D:" flags entries, and nothing else.
  if (sddl.compare(0, 2, "O:") != 0) return false;
  const size_t list = sddl.find("D:", 2);
  if (list == Text::npos) return false;
  const Text owner = sddl.substr(2, list - 2);
  if (owner != "BA" && owner != "SY") return false;
  const size_t entries = sddl.find('(', list + 2);
  if (entries == Text::npos) return false;
  return AreOurListFlags(sddl.substr(list + 2, entries - list - 2)) &&
         sddl.compare(entries, Text::npos, kOurEntries) == 0;
}

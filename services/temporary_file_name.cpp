#include "services/temporary_file_name.h"

#include "services/code_page.h"

namespace {

const char kMarker[] = ".morvane-";
const char kSuffix[] = ".tmp";
constexpr size_t kMarkerLength = sizeof kMarker - 1;
constexpr size_t kSuffixLength = sizeof kSuffix - 1;
constexpr size_t kDigits = 8;

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

}  // namespace

Text TemporaryFileName(const Text& target, uint32_t unique) {
  const char kHex[] = "0123456789ABCDEF";
  char digits[kDigits];
  for (size_t i = 0; i < kDigits; ++i) digits[i] = kHex[(unique >> (4 * (kDigits - 1 - i))) & 0xF];
  return target + kMarker + Text(digits, kDigits) + kSuffix;
}

Text TemporaryFilePattern(const Text& target) { return target + kMarker + "*" + kSuffix; }

bool IsTemporaryFileOf(const Text& name, const Text& targetName) {
  const size_t prefix = targetName.size() + kMarkerLength;
  if (targetName.empty() || name.size() != prefix + kDigits + kSuffixLength) return false;
  if (name.compare(0, targetName.size(), targetName) != 0 ||
      name.compare(targetName.size(), kMarkerLength, kMarker) != 0 ||
      name.compare(prefix + kDigits, kSuffixLength, kSuffix) != 0)
    return false;
  for (size_t i = prefix; i < prefix + kDigits; ++i)
    if (!IsHexDigit(name[i])) return false;
  return true;
}

Text FileNameOf(const Text& path) {
  const size_t cut = LastBackslash(path.data(), path.size());
  return cut == path.size() ? path : path.substr(cut + 1);
}

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

Text TemporaryFileSuffix(uint32_t unique) {
  const char kHex[] = "0123456789ABCDEF";
  char digits[kDigits];
  for (size_t i = 0; i < kDigits; ++i) digits[i] = kHex[(unique >> (4 * (kDigits - 1 - i))) & 0xF];
  return kMarker + Text(digits, kDigits) + kSuffix;
}

Text TemporaryFileName(const Text& target, uint32_t unique) {
  return target + TemporaryFileSuffix(unique);
}

Text TemporaryFilePattern(const Text& target) { return target + kMarker + "*" + kSuffix; }

bool IsTemporaryFileSuffix(const Text& rest) {
  if (rest.size() != kMarkerLength + kDigits + kSuffixLength ||
      rest.compare(0, kMarkerLength, kMarker) != 0 ||
      rest.compare(kMarkerLength + kDigits, kSuffixLength, kSuffix) != 0)
    return false;
  for (size_t i = kMarkerLength; i < kMarkerLength + kDigits; ++i)
    if (!IsHexDigit(rest[i])) return false;
  return true;
}

bool IsTemporaryFileOf(const Text& name, const Text& targetName) {
  return !targetName.empty() && name.size() > targetName.size() &&
         name.compare(0, targetName.size(), targetName) == 0 &&
         IsTemporaryFileSuffix(name.substr(targetName.size()));
}

Text FileNameOf(const Text& path) {
  const size_t cut = LastBackslash(path.data(), path.size());
  return cut == path.size() ? path : path.substr(cut + 1);
}

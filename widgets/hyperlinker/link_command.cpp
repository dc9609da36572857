#include "widgets/hyperlinker/link_command.h"

#include <cstring>

namespace {

// Neither byte of a placeholder can be the second byte of a code-page-936
// character (those are 0x40 and up), so a byte search finds only real ones.
const char kQuotedPlaceholder[] = "\"%1\"";
const char kPlaceholder[] = "%1";
const char kMailScheme[] = "mailto:";
const char kOpenCommandKey[] = "\\shell\\open\\command";

// Joins `head` (its first `headLength` bytes), `middle` and `tail` into the
// buffer when all of it and the terminator fit.
bool Join(const char* head, size_t headLength, const char* middle, const char* tail, char* buffer,
          size_t capacity) {
  if (capacity > 0) buffer[0] = '\0';
  const size_t middleLength = strlen(middle), tailLength = strlen(tail);
  // Each term is checked against what is left, so no sum can wrap.
  if (capacity == 0 || headLength > capacity - 1) return false;
  size_t room = capacity - 1 - headLength;
  if (middleLength > room) return false;
  room -= middleLength;
  if (tailLength > room) return false;
  memcpy(buffer, head, headLength);
  memcpy(buffer + headLength, middle, middleLength);
  memcpy(buffer + headLength + middleLength, tail, tailLength);
  buffer[headLength + middleLength + tailLength] = '\0';
  return true;
}

}  // namespace

Text LinkTarget(const HyperLinkerProperties& properties) {
  if (properties.linkKind == 1) return properties.webAddress;
  if (properties.mailAddress.empty()) return Text();
  return kMailScheme + properties.mailAddress;
}

bool ShellCanTake(const Text& target) { return target.size() < kShellTargetCapacity; }

bool BuildFallbackCommand(const char* registered, const char* target, char* buffer,
                          size_t capacity) {
  const char* cut = strstr(registered, kQuotedPlaceholder);
  if (!cut) cut = strstr(registered, kPlaceholder);
  const size_t kept = cut ? size_t(cut - registered) : strlen(registered);
  return Join(registered, kept, " ", target, buffer, capacity);
}

bool BuildOpenCommandKey(const char* className, char* buffer, size_t capacity) {
  return Join(className, strlen(className), kOpenCommandKey, "", buffer, capacity);
}

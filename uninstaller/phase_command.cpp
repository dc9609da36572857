#include "uninstaller/phase_command.h"

#include <cstring>

namespace {

const char kFlag[] = "/phase2";

const char* SkipBlanks(const char* p) {
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

// Past the program name, as Windows splits it: up to the closing quotation
// mark when it starts with one, else up to the first blank.
const char* SkipProgramName(const char* p) {
  if (*p == '"') {
    const char* end = strchr(p + 1, '"');
    return end ? end + 1 : p + strlen(p);
  }
  while (*p && *p != ' ' && *p != '\t') ++p;
  return p;
}

}  // namespace

Text PhaseTwoArguments(const PhaseTwo& phase) {
  // The number by hand: the library's formatting would bring its whole
  // printf into the program.
  char digits[24];
  size_t length = 0;
  uint64_t rest = phase.waitHandle;
  do {
    digits[length++] = char('0' + rest % 10);
    rest /= 10;
  } while (rest);
  Text number(digits, length);
  return Text(kFlag) + " " + Text(number.rbegin(), number.rend()) + " \"" + phase.original + "\"";
}

bool ParsePhaseTwo(const char* commandLine, PhaseTwo* phase) {
  const char* p = SkipBlanks(SkipProgramName(commandLine));
  const size_t flagLength = sizeof kFlag - 1;
  if (strncmp(p, kFlag, flagLength) != 0 || (p[flagLength] != ' ' && p[flagLength] != '\t'))
    return false;
  p = SkipBlanks(p + flagLength);
  uint64_t handle = 0;
  const char* digits = p;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (handle > (UINT64_MAX - 9) / 10) return false;
    handle = handle * 10 + uint64_t(*p - '0');
  }
  if (p == digits || handle == 0 || (*p != ' ' && *p != '\t')) return false;
  p = SkipBlanks(p);
  // A path holds no quotation mark: the one after the opening one ends it.
  if (*p != '"') return false;
  const char* end = strchr(p + 1, '"');
  if (!end || end == p + 1 || *SkipBlanks(end + 1) != '\0') return false;
  phase->waitHandle = handle;
  phase->original.assign(p + 1, end);
  return true;
}

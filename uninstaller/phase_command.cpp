#include "uninstaller/phase_command.h"

#include <cstring>
#include <iterator>

#include "services/little_endian.h"

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

// The number by hand: the library's formatting would bring its whole printf
// into the program.
Text NumberText(uint64_t number) {
  char digits[24];
  size_t length = 0;
  do {
    digits[length++] = char('0' + number % 10);
    number /= 10;
  } while (number);
  return Text(std::reverse_iterator<const char*>(digits + length),
              std::reverse_iterator<const char*>(digits));
}

// A handle's number and the blank after it; nullptr when there is none. A
// handle is never 0.
const char* ReadHandle(const char* p, uint64_t* handle) {
  uint64_t value = 0;
  const char* digits = p;
  for (; *p >= '0' && *p <= '9'; ++p) {
    const uint64_t digit = uint64_t(*p - '0');
    if (value > (UINT64_MAX - digit) / 10) return nullptr;
    value = value * 10 + digit;
  }
  if (p == digits || value == 0 || (*p != ' ' && *p != '\t')) return nullptr;
  *handle = value;
  return SkipBlanks(p);
}

constexpr size_t kOutcomeHeader = 5;

}  // namespace

Text PhaseTwoArguments(const PhaseTwo& phase) {
  return Text(kFlag) + " " + NumberText(phase.waitHandle) + " " + NumberText(phase.reportHandle) +
         " \"" + phase.original + "\"";
}

bool ParsePhaseTwo(const char* commandLine, PhaseTwo* phase) {
  const char* p = SkipBlanks(SkipProgramName(commandLine));
  const size_t flagLength = sizeof kFlag - 1;
  if (strncmp(p, kFlag, flagLength) != 0 || (p[flagLength] != ' ' && p[flagLength] != '\t'))
    return false;
  uint64_t wait = 0, report = 0;
  p = ReadHandle(SkipBlanks(p + flagLength), &wait);
  if (p) p = ReadHandle(p, &report);
  if (!p) return false;
  // A path holds no quotation mark: the one after the opening one ends it.
  if (*p != '"') return false;
  const char* end = strchr(p + 1, '"');
  if (!end || end == p + 1 || *SkipBlanks(end + 1) != '\0') return false;
  phase->waitHandle = wait;
  phase->reportHandle = report;
  phase->original.assign(p + 1, end);
  return true;
}

bool EncodeOutcome(const PhaseOutcome& outcome, Text* bytes) {
  if ((outcome.exitCode != 0 && outcome.exitCode != 1) ||
      outcome.message.size() > kMaxOutcomeMessage)
    return false;
  uint8_t header[kOutcomeHeader];
  StoreLe32(uint32_t(outcome.message.size()), header);
  header[4] = uint8_t(outcome.exitCode);
  bytes->assign(reinterpret_cast<const char*>(header), sizeof header);
  *bytes += outcome.message;
  return true;
}

OutcomeRead DecodeOutcome(const Text& bytes, PhaseOutcome* outcome) {
  const uint8_t* header = reinterpret_cast<const uint8_t*>(bytes.data());
  // What is there of the header already says whether it can be one.
  if (bytes.size() >= 4 && LoadLe32(header) > kMaxOutcomeMessage) return OutcomeRead::Malformed;
  if (bytes.size() >= kOutcomeHeader && header[4] > 1) return OutcomeRead::Malformed;
  if (bytes.size() < kOutcomeHeader) return OutcomeRead::Incomplete;
  const size_t whole = kOutcomeHeader + LoadLe32(header);
  if (bytes.size() < whole) return OutcomeRead::Incomplete;
  if (bytes.size() > whole) return OutcomeRead::Malformed;
  outcome->exitCode = header[4];
  outcome->message.assign(bytes, kOutcomeHeader, Text::npos);
  return OutcomeRead::Complete;
}

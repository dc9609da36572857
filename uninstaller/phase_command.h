// What passes between the uninstaller's two phases. The first phase starts a
// copy of itself from a private folder with a command line that names the
// first phase's process, the write end of a pipe and the file it was copied
// from; the flag is what keeps the copy from copying itself again. The copy
// hands back the outcome of the removal through the pipe: the final message,
// which the first phase shows, and the exit code it ends with. Pure code:
// builds for Windows and for the host.
#pragma once

#include <cstddef>
#include <cstdint>

#include "services/values.h"

struct PhaseTwo {
  uint64_t waitHandle = 0;    // the first phase's process, inherited
  uint64_t reportHandle = 0;  // the write end of the first phase's pipe, inherited
  Text original;              // the uninstaller that was started
};

// The arguments, after the program's own name:
// "/phase2 WAIT REPORT "ORIGINAL"".
Text PhaseTwoArguments(const PhaseTwo& phase);

// The second phase's arguments out of a whole command line (program name
// first, quoted or not, as Windows gives it). False for any other command
// line, the first phase's: no arguments, or ones that are not exactly these.
bool ParsePhaseTwo(const char* commandLine, PhaseTwo* phase);

// The removal's outcome as the first phase shows it.
struct PhaseOutcome {
  int exitCode = 1;  // 0: all removed; 1: something stayed
  Text message;      // code page 936
};

// The longest message an outcome carries: far more than every item of an
// installation named with its longest path.
constexpr size_t kMaxOutcomeMessage = 1 << 20;

// The bytes that carry an outcome: the message's length (4 bytes, little
// endian), the exit code (one byte), the message. False for an outcome that
// has no such form (an exit code other than 0 and 1, too long a message).
bool EncodeOutcome(const PhaseOutcome& outcome, Text* bytes);

enum class OutcomeRead {
  Incomplete,  // more bytes are to come
  Complete,
  Malformed,  // not an outcome, or more than one
};
// Reads the bytes received so far.
OutcomeRead DecodeOutcome(const Text& bytes, PhaseOutcome* outcome);

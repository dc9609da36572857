// The command line of the uninstaller's second phase: the copy that the first
// phase starts from a private folder, told which process to wait for and
// which file it was copied from. The flag is what keeps the copy from
// copying itself again. Pure code: builds for Windows and for the host.
#pragma once

#include <cstdint>

#include "services/values.h"

struct PhaseTwo {
  uint64_t waitHandle = 0;  // the first phase's process, inherited
  Text original;            // the uninstaller that was started
};

// The arguments, after the program's own name: "/phase2 HANDLE "ORIGINAL"".
Text PhaseTwoArguments(const PhaseTwo& phase);

// The second phase's arguments out of a whole command line (program name
// first, quoted or not, as Windows gives it). False for any other command
// line, the first phase's: no arguments, or ones that are not exactly these.
bool ParsePhaseTwo(const char* commandLine, PhaseTwo* phase);

// The uninstaller's two phases. The first runs from the installation folder:
// it asks, then starts a copy of itself from a private folder and ends, so
// that nothing holds the installation folder. The second is that copy: it
// waits for the first to end, removes the installation, the original
// uninstaller included, and marks itself for deletion at the next restart.
#pragma once

#include "uninstaller/phase_command.h"

// Both answer the process exit code.
int RunFirstPhase();
int RunSecondPhase(const PhaseTwo& phase);

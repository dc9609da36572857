// The uninstaller's two phases. The first runs from the installation folder:
// it asks, then starts a copy of itself from a private folder, waits for the
// outcome of the copy's removal, shows it and ends with its exit code. The
// second is that copy: it removes the installation, marks itself for
// deletion at the next restart, hands the outcome back, and removes the
// original uninstaller and its folder once the first phase has ended.
#pragma once

#include "uninstaller/phase_command.h"

// Both answer the process exit code.
int RunFirstPhase();
int RunSecondPhase(const PhaseTwo& phase);

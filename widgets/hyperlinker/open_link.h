// Opening a hyperlink box's target through the shell, with the program
// registered for ".htm" files as the fallback.
#pragma once

#include "widgets/hyperlinker/hyperlinker_properties.h"

// Opens the link's target (see LinkTarget) with ShellExecute's "open" verb
// and `showCommand`; when the shell refuses it, or the target is too long to
// hand to the shell (ShellCanTake), runs the command registered for ".htm"
// files with the target (see BuildFallbackCommand). True when
// either started; false for an empty target, a registry entry that cannot
// be read, a command line that does not fit its room, or a failed start.
bool OpenHyperLink(const HyperLinkerProperties& link, int showCommand);

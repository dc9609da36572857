// The orderly shutdown of the program.
#pragma once

#include "frame/frame_interface.h"  // ShutdownAndExit

// The same steps at the normal end of the program, after the message loop:
// the caller returns `exitCode` from the program entry.
void RunShutdown(int exitCode);

// The hidden owner window's answer to the cross-thread shutdown request.
void HandleShutdownRequest(int exitCode);

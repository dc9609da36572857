// The orderly shutdown of the program.
#pragma once

#include <cstdint>

// The end of the program from a handler (or a run-time error): destroys
// every loaded window, frees what start-up took and ends the process with
// `exitCode`; no further handler runs. From another thread, the request goes
// to the user-interface thread and the process ends at once.
[[noreturn]] void EndProgram(int32_t exitCode);

// The same steps at the normal end of the program, after the message loop:
// the caller returns `exitCode` from the program entry.
void RunShutdown(int exitCode);

// The hidden owner window's answer to the cross-thread shutdown request.
void HandleShutdownRequest(int exitCode);

// EndProgram: the end of the program, from a handler.
#pragma once

#include <cstdint>

// Runs the orderly shutdown and ends the process with `exitCode`.
[[noreturn]] void EndProgram(int32_t exitCode);

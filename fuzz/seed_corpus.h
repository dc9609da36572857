// What the seed writers share: the corpus folder they write into, one file a
// seed, <folder>/<target>/<seed>, and whether every seed could be made.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes `bytes` as the seed `seed` of the fuzz target `target`.
void SaveSeed(const std::string& target, const std::string& seed,
              const std::vector<uint8_t>& bytes);
// Notes that a seed could not be made: the writer then ends with 1.
void SeedFailed();
// The main function of the seed writer `program`: takes the corpus folder
// from the command line, runs `write`, and answers the exit code (2 for a
// wrong command line, 1 when a seed failed).
int WriteSeeds(int argc, char** argv, const char* program, void (*write)());

// What a machine holds, taken twice and compared: the files under C:\ (but
// the temporary folder), with their sizes and times of last change, and the
// registry of the machine and of the user, every key and value with its
// data. Read through the wide API, so that every name is what Windows holds.
#pragma once

#include <map>
#include <string>
#include <vector>

struct MachineSnapshot {
  // "file C:\...", "key HKLM\...", "value HKLM\...\name" (UTF-8) -> what it
  // holds, as text.
  std::map<std::string, std::string> entries;
};

MachineSnapshot TakeMachineSnapshot();

// Every entry that differs, one line each: "+ " added, "- " gone, "~ "
// changed, for a person to read.
std::vector<std::string> SnapshotDifferences(const MachineSnapshot& before,
                                             const MachineSnapshot& after);

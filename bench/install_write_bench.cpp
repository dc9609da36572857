// What whole files and the check of a damaged copy cost, on a payload of the
// real product's size (its main program, uninstaller and icon: 2,459,590
// bytes, made up here). Per round, over files that are already there, as in
// an upgrade:
//   - the CRC-32 of the three blocks, as the program takes it at the click;
//   - the three files written in place (create or truncate, write, close),
//     as the setup program wrote them before it wrote whole files;
//   - written beside their targets and moved over them, without a flush;
//   - written as the file service writes them: beside, flushed, moved with
//     write-through.
// The last two differ by the flushes. It prints the median of each and
// never fails: the figures depend on the disk under the prefix.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "installer/payload.h"
#include "services/files.h"

namespace {

constexpr uint32_t kFileSizes[] = {1676616, 757760, 25214};
constexpr int kRounds = 21;
const char kFolder[] = "C:\\write-bench";

double NowMs() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::string Target(size_t index) { return std::string(kFolder) + "\\file" + std::to_string(index); }

// Bytes that no disk or cache can squeeze: a simple generator's.
std::vector<uint8_t> MadeUpBytes(uint32_t size, uint32_t seed) {
  std::vector<uint8_t> bytes(size);
  for (uint8_t& byte : bytes) {
    seed = seed * 1664525u + 1013904223u;
    byte = uint8_t(seed >> 24);
  }
  return bytes;
}

bool WriteInPlace(const std::string& path, ByteBlock block) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, block.data, block.size, &written, nullptr) && written == block.size;
  return CloseHandle(file) && ok;
}

bool WriteBesideUnflushed(const std::string& path, ByteBlock block) {
  const std::string beside = path + ".new";
  if (!WriteInPlace(beside, block)) return false;
  return MoveFileExW(Wide(beside).c_str(), Wide(path).c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool WriteWhole(const std::string& path, ByteBlock block) { return WriteBytesToFile(path, block); }

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

}  // namespace

int main() {
  CreateDirectoryW(Wide(kFolder).c_str(), nullptr);
  std::vector<std::vector<uint8_t>> files;
  std::vector<ByteBlock> blocks;
  uint32_t total = 0;
  for (uint32_t size : kFileSizes) {
    files.push_back(MadeUpBytes(size, size));
    blocks.push_back({files.back().data(), size});
    total += size;
  }
  for (size_t i = 0; i < blocks.size(); ++i) WriteInPlace(Target(i), blocks[i]);

  struct Way {
    const char* name;
    bool (*write)(const std::string&, ByteBlock);
    std::vector<double> ms;
  } ways[] = {{"in place (create or truncate, no flush)", WriteInPlace, {}},
              {"beside and moved, no flush", WriteBesideUnflushed, {}},
              {"whole files: beside, flushed, moved", WriteWhole, {}}};
  std::vector<double> checksumMs;
  bool allWritten = true;
  uint32_t checksums = 0;
  for (int round = 0; round < kRounds; ++round) {
    double start = NowMs();
    for (ByteBlock block : blocks) checksums ^= ChecksumOf(block);
    checksumMs.push_back(NowMs() - start);
    // One way after the other in each round, so that a busy moment of the
    // machine falls on all of them alike.
    for (Way& way : ways) {
      start = NowMs();
      for (size_t i = 0; i < blocks.size(); ++i)
        allWritten = way.write(Target(i), blocks[i]) && allWritten;
      way.ms.push_back(NowMs() - start);
    }
  }

  printf("payload: %u bytes in %zu files; %d rounds, medians\n", total, blocks.size(), kRounds);
  printf("  CRC-32 of the three blocks: %.2f ms (%.0f MB/s; xor %08X)\n", Median(checksumMs),
         total / 1e3 / Median(checksumMs), checksums);
  for (const Way& way : ways) printf("  %-42s %8.2f ms\n", way.name, Median(way.ms));
  // The differences within each round, then their median.
  std::vector<double> flushes, beside;
  for (int round = 0; round < kRounds; ++round) {
    flushes.push_back(ways[2].ms[round] - ways[1].ms[round]);
    beside.push_back(ways[1].ms[round] - ways[0].ms[round]);
  }
  printf("  the flushes: %.2f ms; beside and moved, over in place: %.2f ms\n", Median(flushes),
         Median(beside));
  if (!allWritten) printf("  (a write failed: the figures are not comparable)\n");
  for (size_t i = 0; i < blocks.size(); ++i) DeleteFileW(Wide(Target(i)).c_str());
  RemoveDirectoryW(Wide(kFolder).c_str());
  return 0;
}

#include "seed_corpus.h"

#include <sys/stat.h>

#include <cstdio>

namespace {

std::string g_corpus;
bool g_failed = false;

}  // namespace

void SaveSeed(const std::string& target, const std::string& seed,
              const std::vector<uint8_t>& bytes) {
  const std::string folder = g_corpus + "/" + target;
  mkdir(folder.c_str(), 0755);
  const std::string path = folder + "/" + seed;
  FILE* file = fopen(path.c_str(), "wb");
  if (!file || fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) g_failed = true;
  if (file && fclose(file) != 0) g_failed = true;
}

void SeedFailed() { g_failed = true; }

int WriteSeeds(int argc, char** argv, const char* program, void (*write)()) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s <corpus folder>\n", program);
    return 2;
  }
  g_corpus = argv[1];
  mkdir(g_corpus.c_str(), 0755);
  write();
  return g_failed ? 1 : 0;
}

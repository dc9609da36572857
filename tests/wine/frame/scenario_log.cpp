#include "tests/wine/frame/scenario_log.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {
std::string g_logPath;
}  // namespace

void SetLogPath(const char* path) { g_logPath = path; }

void LogLine(const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  int n = vsnprintf(line, sizeof line - 2, format, args);
  va_end(args);
  if (n < 0) return;
  if (n > int(sizeof line - 3)) n = int(sizeof line - 3);
  line[n++] = '\r';
  line[n++] = '\n';
  // The driver reads the log while the program runs: a moment of sharing
  // conflict must not lose a line. No notice comes when the reader lets go of
  // the file: a short pause, then the next attempt.
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 50 && file == INVALID_HANDLE_VALUE; ++attempt) {
    file = CreateFileA(g_logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Sleep(10);
  }
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line, DWORD(n), &written, nullptr);
  CloseHandle(file);
}

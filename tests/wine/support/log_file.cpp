#include "support/log_file.h"

#include <algorithm>
#include <cstdio>

#include "support/real_input.h"
#include "support/test_support.h"

std::vector<std::string> LogFile::Lines() const {
  std::string content;
  std::vector<std::string> lines;
  if (!ReadWholeFile(path_, &content)) return lines;
  size_t start = 0;
  for (size_t end; (end = content.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool LogFile::Logged(const std::string& line) const { return Count(line) > 0; }

int LogFile::Count(const std::string& line) const {
  const std::vector<std::string> lines = Lines();
  return int(std::count(lines.begin(), lines.end(), line));
}

bool LogFile::LoggedPrefix(const std::string& prefix) const {
  for (const std::string& seen : Lines())
    if (seen.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

std::string LogFile::LoggedInOrder(const std::vector<std::string>& lines) const {
  const std::vector<std::string> log = Lines();
  auto from = log.begin();
  for (const std::string& line : lines) {
    from = std::find(from, log.end(), line);
    if (from == log.end()) return line;
    ++from;
  }
  return "";
}

std::vector<std::string> LogFile::LinesBetween(const std::string& from,
                                               const std::string& to) const {
  std::vector<std::string> lines;
  bool inside = false;
  for (const std::string& line : Lines()) {
    if (inside && line == to) return lines;
    if (inside) lines.push_back(line);
    if (line == from) inside = true;
  }
  return lines;
}

bool LogFile::WaitForLogged(const std::string& line) const {
  return WaitUntil([&] { return Logged(line); });
}

std::string LogFile::WaitForLineWith(const std::string& part) const {
  std::string found = "<nothing logged with " + part + ">";
  WaitUntil([&] {
    for (const std::string& line : Lines())
      if (line.find(part) != std::string::npos) {
        found = line;
        return true;
      }
    return false;
  });
  return found;
}

std::string Hex8(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", unsigned(value));
  return text;
}

// A log that a program under test appends to while the driver reads it: the
// scenario programs' logs and the stand-in's, one line per thing seen, each
// ended by CR LF. Every reading reads the whole file again, through the wide
// API with sharing, so that the writer is never locked out for long; a file
// that is not there yet reads as no lines, and a line still being written
// (no end yet) is not read.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class LogFile {
 public:
  LogFile() = default;
  explicit LogFile(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }

  std::vector<std::string> Lines() const;
  // Whether this very line was logged, and how often.
  bool Logged(const std::string& line) const;
  int Count(const std::string& line) const;
  // Whether a line that starts with `prefix` was logged.
  bool LoggedPrefix(const std::string& prefix) const;
  // The first of `lines` that was not logged after the ones before it; ""
  // when all were, in this order (with other lines between them).
  std::string LoggedInOrder(const std::vector<std::string>& lines) const;
  // The lines logged after `from` (exclusive) and before `to`.
  std::vector<std::string> LinesBetween(const std::string& from, const std::string& to) const;

  // Waits until this very line is logged; answers whether it was.
  bool WaitForLogged(const std::string& line) const;
  // Waits for a line that holds `part` and answers it; when none came,
  // "<nothing logged with PART>", which a failure message can show.
  std::string WaitForLineWith(const std::string& part) const;

 private:
  std::string path_;
};

// An identifier as the scenario programs log it: eight hexadecimal digits.
std::string Hex8(uint32_t value);

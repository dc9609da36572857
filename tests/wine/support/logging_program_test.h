// The fixture of the tests that drive a program of their own which logs what
// it sees (the scenario programs): the program, the test's first argument,
// is started with a new log; the test reads the log while the program runs;
// a program still running at the end of the test is ended, and with any
// failure the whole log is shown.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gui_driver.h"
#include "support/log_file.h"

class LoggingProgramTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // A new empty log under a scratch folder of that name; answers its path.
  std::string NewLog(const char* folderName);
  // Starts the test's program with `arguments`.
  void StartTestProgram(const std::string& arguments);
  // Waits for the end of the program and answers its exit code (12345, and a
  // failure, when it did not end).
  DWORD ExitCode();

  std::vector<std::string> Log() const { return log_.Lines(); }
  bool Logged(const std::string& line) const { return log_.Logged(line); }
  int Count(const std::string& line) const { return log_.Count(line); }
  bool LoggedPrefix(const std::string& prefix) const { return log_.LoggedPrefix(prefix); }
  std::string LoggedInOrder(const std::vector<std::string>& lines) const {
    return log_.LoggedInOrder(lines);
  }
  std::vector<std::string> LinesBetween(const std::string& from, const std::string& to) const {
    return log_.LinesBetween(from, to);
  }
  bool WaitForLogged(const std::string& line) const { return log_.WaitForLogged(line); }

  RunningProgram program_;
  LogFile log_;
};

// The hand-over between the uninstaller's phases. The first phase starts the
// copy with two handles that it inherits, and only those: one to the first
// phase's process, which the copy checks and waits on before it removes the
// file the first phase runs from, and the write end of a pipe, through which
// the copy hands back the outcome of the removal. The first phase shows that
// outcome and ends with its exit code, so that whoever started it (a person
// or a deployment tool that waits) sees the end of the whole removal.
#pragma once

#include <windows.h>

#include "services/wide_text.h"
#include "uninstaller/phase_command.h"

// The exit code of a copy whose command line does not name a running first
// phase: it removed nothing.
constexpr int kHandOverRefused = ERROR_INVALID_PARAMETER;

// ---- The first phase

class PrivateFolder;

// Starts the copy in `place` as the second phase (the system folder its
// current folder), lets go of the folder and the copy once CreateProcessW
// has returned, and waits for the outcome of its removal. False when there
// is no copy that removes: it could not be started, or it refused its
// command line and removed nothing; it has then ended. A copy that ends
// without handing back an outcome gives the outcome that not all was
// removed.
bool HandOver(PrivateFolder* place, const WidePath& original, PhaseOutcome* outcome);

// ---- The second phase

// The first phase as the copy's command line names it, checked.
class FirstPhase {
 public:
  FirstPhase() = default;
  ~FirstPhase();
  FirstPhase(const FirstPhase&) = delete;
  FirstPhase& operator=(const FirstPhase&) = delete;

  // Takes the handles of the command line: the first one must be a process
  // other than this one, whose program is the uninstaller that the command
  // line names, the second a pipe. Neither is handed on to any process that
  // this one starts. False, with nothing taken, for any other handles.
  bool Take(const PhaseTwo& phase);

  // The first phase's program, as Windows names it.
  const WidePath& File() const { return file_; }
  // Writes the outcome into the pipe and closes it; false when the first
  // phase did not get it whole.
  bool Send(const PhaseOutcome& outcome);
  // Until the first phase has ended.
  void WaitForItsEnd() const;

 private:
  HANDLE process_ = nullptr;
  HANDLE report_ = nullptr;
  WidePath file_;
};

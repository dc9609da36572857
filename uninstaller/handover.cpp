#include "uninstaller/handover.h"

#include <cstdint>
#include <vector>

#include "services/system_library.h"
#include "services/handles.h"
#include "services/shell.h"
#include "uninstaller/private_folder.h"
#include "uninstaller/uninstall_report.h"

namespace {

// How long a copy whose pipe has broken may take to end: it is ending then,
// since only its end, or the whole outcome, closes the pipe's write end.
constexpr DWORD kCopyEndMs = 30000;

// The functions of an attribute list for CreateProcess: Windows Vista and
// later, looked up where they are used, as the program does with every
// export that a system may lack.
using InitializeListFn = BOOL(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD, PSIZE_T);
using UpdateListFn = BOOL(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD_PTR, PVOID, SIZE_T,
                                   PVOID, PSIZE_T);
using DeleteListFn = VOID(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST);

// An attribute list that names the only handles a new process inherits.
class InheritedHandles {
 public:
  InheritedHandles(HANDLE* handles, DWORD count) : kernel_("kernel32.dll") {
    auto initialize =
        OptionalFunction<InitializeListFn>(kernel_.Get(), "InitializeProcThreadAttributeList");
    auto update = OptionalFunction<UpdateListFn>(kernel_.Get(), "UpdateProcThreadAttribute");
    delete_ = OptionalFunction<DeleteListFn>(kernel_.Get(), "DeleteProcThreadAttributeList");
    if (!initialize || !update || !delete_) return;
    SIZE_T size = 0;
    initialize(nullptr, 1, 0, &size);
    if (size == 0) return;
    room_.resize(size);
    auto list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(room_.data());
    if (!initialize(list, 1, 0, &size)) return;
    if (!update(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles, count * sizeof(HANDLE),
                nullptr, nullptr)) {
      delete_(list);
      return;
    }
    list_ = list;
  }
  ~InheritedHandles() {
    if (list_) delete_(list_);
  }
  InheritedHandles(const InheritedHandles&) = delete;
  InheritedHandles& operator=(const InheritedHandles&) = delete;

  // nullptr where this system cannot name them.
  LPPROC_THREAD_ATTRIBUTE_LIST Get() const { return list_; }

 private:
  SystemLibrary kernel_;
  DeleteListFn delete_ = nullptr;
  std::vector<char> room_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

// The copy as the first phase started it: its process, and the read end of
// the pipe it writes the outcome into.
struct StartedCopy {
  HANDLE process = nullptr;
  HANDLE outcome = nullptr;
};

bool StartSecondPhase(PrivateFolder* place, const WidePath& original, StartedCopy* started) {
  const WidePath& copy = place->Copy();
  // The copy inherits these two, and nothing else of this process.
  HANDLE self = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                       SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0))
    return false;
  FileHandle selfOwner(self);
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return false;
  FileHandle readOwner(readEnd), writeOwner(writeEnd);
  if (!SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0)) return false;
  HANDLE handed[] = {self, writeEnd};
  const InheritedHandles inherited(handed, 2);
  // Without the list the copy would inherit every inheritable handle of this
  // process: no copy then.
  if (!inherited.Get()) return false;

  PhaseTwo phase;
  phase.waitHandle = uint64_t(uintptr_t(self));
  phase.reportHandle = uint64_t(uintptr_t(writeEnd));
  // A text names the original exactly, or the copy is not started.
  if (!TextOfPath(original, &phase.original)) return false;
  // CreateProcessW may write into the command line: the room is ours.
  WidePath commandLine = "\"" + copy + "\" " + PhaseTwoArguments(phase);
  const WidePath systemFolder = GetSpecialFolder(kFolderSystem);
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.lpAttributeList = inherited.Get();
  PROCESS_INFORMATION process{};
  const BOOL created = CreateProcessW(copy.c_str(), commandLine.Buffer(), nullptr, nullptr, TRUE,
                                      EXTENDED_STARTUPINFO_PRESENT, nullptr,
                                      systemFolder.Empty() ? nullptr : systemFolder.c_str(),
                                      &startup.StartupInfo, &process);
  // The program that runs is the one that was held; nothing needs holding
  // any more, and a copy that does not run is to be removed.
  place->LetGo();
  if (!created) return false;
  CloseHandle(process.hThread);
  started->process = process.hProcess;
  // This process keeps only the read end: once the copy has ended, or closed
  // its end, a read comes back at once.
  started->outcome = readOwner.Release();
  return true;
}

enum class Received { Outcome, None };

Received ReadOutcome(HANDLE pipe, PhaseOutcome* outcome) {
  Text bytes;
  char chunk[4096];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(pipe, chunk, sizeof chunk, &read, nullptr)) return Received::None;
    bytes.append(chunk, read);
    switch (DecodeOutcome(bytes, outcome)) {
      case OutcomeRead::Complete:
        return Received::Outcome;
      case OutcomeRead::Malformed:
        return Received::None;
      case OutcomeRead::Incomplete:
        break;
    }
  }
}

// The handle of a command line's number; nullptr for a number that no handle
// of this program has.
HANDLE HandleOf(uint64_t number) {
  return number > UINTPTR_MAX ? nullptr : HANDLE(uintptr_t(number));
}

// The program of a process, as Windows names it; empty when it does not say.
WidePath ProgramOf(HANDLE process) {
  std::vector<wchar_t> name(32768);
  DWORD length = DWORD(name.size());
  if (!QueryFullProcessImageNameW(process, 0, name.data(), &length)) return WidePath();
  return WidePath::OfUnits(name.data(), length);
}

}  // namespace

bool HandOver(PrivateFolder* place, const WidePath& original, PhaseOutcome* outcome) {
  StartedCopy started;
  if (!StartSecondPhase(place, original, &started)) return false;
  FileHandle process(started.process), pipe(started.outcome);
  if (ReadOutcome(pipe.Get(), outcome) == Received::Outcome) return true;
  // No outcome: either the copy refused its command line, before it
  // removed anything, or it broke off somewhere in the removal.
  DWORD code = 0;
  if (WaitForSingleObject(process.Get(), kCopyEndMs) == WAIT_OBJECT_0 &&
      GetExitCodeProcess(process.Get(), &code) && code == DWORD(kHandOverRefused))
    return false;
  outcome->exitCode = 1;
  outcome->message = OutcomeLostMessage();
  return true;
}

FirstPhase::~FirstPhase() {
  if (process_) CloseHandle(process_);
  if (report_) CloseHandle(report_);
}

bool FirstPhase::Take(const PhaseTwo& phase) {
  HANDLE process = HandleOf(phase.waitHandle);
  HANDLE report = HandleOf(phase.reportHandle);
  if (!process || !report || process == report) return false;
  // GetProcessId answers 0 for anything that is not a process handle with
  // the right to ask; this process would wait on itself.
  const DWORD id = GetProcessId(process);
  if (id == 0 || id == GetCurrentProcessId()) return false;
  const WidePath file = ProgramOf(process);
  if (file.Empty() || !SamePath(file, WidePath(phase.original))) return false;
  if (GetFileType(report) != FILE_TYPE_PIPE) return false;
  // Whatever this process starts (the shell may start helpers) holds neither.
  if (!SetHandleInformation(process, HANDLE_FLAG_INHERIT, 0) ||
      !SetHandleInformation(report, HANDLE_FLAG_INHERIT, 0))
    return false;
  process_ = process;
  report_ = report;
  file_ = file;
  return true;
}

bool FirstPhase::Send(const PhaseOutcome& outcome) {
  Text bytes;
  bool whole = EncodeOutcome(outcome, &bytes);
  for (size_t sent = 0; whole && sent < bytes.size();) {
    DWORD written = 0;
    whole = WriteFile(report_, bytes.data() + sent, DWORD(bytes.size() - sent), &written,
                      nullptr) != FALSE;
    sent += written;
  }
  CloseHandle(report_);
  report_ = nullptr;
  return whole;
}

void FirstPhase::WaitForItsEnd() const { WaitForSingleObject(process_, INFINITE); }

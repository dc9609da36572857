// The peer bench's measuring side, a Windows program run under the same Wine
// as the programs it measures: it starts them as a person does, and reads
// what Windows tells every program about another (window enumeration,
// GetProcessMemoryInfo, GetProcessTimes), with input through SendInput.
//
//   peer_bench REPORT REPETITIONS SETUP REFERENCE BOX_FLOOR PROGRESS_FLOOR
//
// Per repetition, the programs one after the other (interleaved, so that a
// change in the machine's load falls on all of them alike; the starts in an
// order that turns each round, so that over a multiple of three rounds each
// program takes each place equally often):
//   start     SETUP, REFERENCE (the reference installer) and BOX_FLOOR (a bare
//             MessageBoxA program): the time from CreateProcess to its first
//             visible top-level window, and its peak working set once it is
//             idle with that window up; then it is ended;
//   animation SETUP and PROGRESS_FLOOR (a bare program that moves a progress
//             bar through the same positions with the same waits): the check
//             box and the install button clicked, the process's CPU time from
//             0.5 s to 6.0 s after the click as a share of that wall time, and
//             the time from the click to the final box.
// One start and one animation of each come first, unmeasured (cold caches).
// REPORT gets one line per sample: "FIGURE PROGRAM VALUE".
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/gui_driver.h"
#include "texts/setup_messages.h"

namespace {

// The setup program's start window and the places of its units, in the
// window's own coordinates, as the product's layout has them.
constexpr int kStartWindowWidth = 393;
constexpr int kStartWindowHeight = 277;
constexpr POINT kAgreementBox{114 + 44, 223 + 12};
constexpr POINT kInstallButton{135 + 61, 168 + 19};

constexpr double kCpuFromMs = 500;
constexpr double kCpuToMs = 6000;
constexpr DWORD kPatienceMs = 30000;

void SleepUntil(double ms) {
  for (double now = NowMilliseconds(); now < ms; now = NowMilliseconds())
    Sleep(DWORD(ms - now) > 1 ? 1 : 0);
}

struct Run {
  PROCESS_INFORMATION process{};
  bool started = false;
  double startMs = 0;  // just before CreateProcess
};

Run Start(const std::string& path) {
  Run run;
  std::string line = "\"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  run.startMs = NowMilliseconds();
  run.started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &run.process) != FALSE;
  return run;
}

bool Running(const Run& run) {
  return run.started && WaitForSingleObject(run.process.hProcess, 0) == WAIT_TIMEOUT;
}

void End(Run* run) {
  if (!run->started) return;
  if (WaitForSingleObject(run->process.hProcess, 10000) != WAIT_OBJECT_0)
    TerminateProcess(run->process.hProcess, 99);
  WaitForSingleObject(run->process.hProcess, 10000);
  CloseHandle(run->process.hProcess);
  CloseHandle(run->process.hThread);
  run->started = false;
}

void Kill(Run* run) {
  if (Running(*run)) TerminateProcess(run->process.hProcess, 99);
  End(run);
}

// A visible top-level window of the process: any, one of a size, or a
// message box whose text (read across the process boundary) is given.
struct WindowSearch {
  int width = 0, height = 0;  // 0: any size
  const char* boxText = nullptr;
};

bool Matches(HWND hwnd, const WindowSearch& search) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  if (search.width &&
      (rect.right - rect.left != search.width || rect.bottom - rect.top != search.height))
    return false;
  if (!search.boxText) return true;
  HWND text = GetDlgItem(hwnd, 0xFFFF);  // a message box's text
  return IsMessageBox(hwnd) && text && WindowTextOf(text) == search.boxText;
}

HWND Find(DWORD processId, const WindowSearch& search) {
  for (HWND hwnd : VisibleTopWindows(processId))
    if (Matches(hwnd, search)) return hwnd;
  return nullptr;
}

// Polls for the window; answers it and the time it was first seen.
HWND WaitFor(const Run& run, const WindowSearch& search, double* seenMs) {
  const DWORD start = GetTickCount();
  while (Running(run) && GetTickCount() - start < kPatienceMs) {
    if (HWND found = Find(run.process.dwProcessId, search)) {
      if (seenMs) *seenMs = NowMilliseconds();
      return found;
    }
    Sleep(1);
  }
  return nullptr;
}

// Clicks at the point and answers the time of the release.
double ClickAt(POINT at) {
  SendMouse(0, at);
  Sleep(60);
  SendMouse(MOUSEEVENTF_LEFTDOWN, at);
  Sleep(60);
  SendMouse(MOUSEEVENTF_LEFTUP, at);
  return NowMilliseconds();
}

POINT InWindow(HWND hwnd, POINT offset) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return POINT{rect.left + offset.x, rect.top + offset.y};
}

POINT CentreOf(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

FILE* g_report = nullptr;

void Sample(const char* figure, const char* program, double value) {
  if (g_report) fprintf(g_report, "%s %s %.6f\n", figure, program, value);
}

void Note(const char* program, const char* what) {
  fprintf(stderr, "peer_bench: %s: %s\n", program, what);
  Sample("failed", program, 1);
}

// From CreateProcess to the first visible window, and the peak working set
// once the program is idle with it.
void MeasureStart(const char* program, const std::string& path, bool measured) {
  Run run = Start(path);
  if (!run.started) return Note(program, "does not start");
  double seenMs = 0;
  if (!WaitFor(run, WindowSearch{}, &seenMs)) {
    Kill(&run);
    return Note(program, "shows no window");
  }
  WaitForInputIdle(run.process.hProcess, 5000);
  Sleep(1000);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  const bool counted = GetProcessMemoryInfo(run.process.hProcess, &memory, sizeof memory) != FALSE;
  Kill(&run);
  if (!measured) return;
  Sample("first_window_ms", program, seenMs - run.startMs);
  if (counted) Sample("peak_working_set_bytes", program, double(memory.PeakWorkingSetSize));
}

// From the click that starts the animation: the CPU share from 0.5 s to
// 6.0 s, then the time to the final box, which is answered.
void MeasureAnimation(const char* program, const Run& run, double clickMs, const char* doneText,
                      bool measured) {
  SleepUntil(clickMs + kCpuFromMs);
  const double cpuFrom = ProcessCpuMilliseconds(run.process.hProcess);
  const double wallFrom = NowMilliseconds();
  SleepUntil(clickMs + kCpuToMs);
  const double cpuTo = ProcessCpuMilliseconds(run.process.hProcess);
  const double wallTo = NowMilliseconds();
  WindowSearch done;
  done.boxText = doneText;
  double doneMs = 0;
  HWND box = WaitFor(run, done, &doneMs);
  if (!box) return Note(program, "shows no final box");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  if (!measured) return;
  Sample("animation_cpu_share", program, (cpuTo - cpuFrom) / (wallTo - wallFrom));
  Sample("click_to_done_ms", program, doneMs - clickMs);
}

void AnimateSetup(const std::string& path, bool measured) {
  Run run = Start(path);
  if (!run.started) return Note("setup", "does not start");
  WindowSearch startWindow;
  startWindow.width = kStartWindowWidth;
  startWindow.height = kStartWindowHeight;
  HWND window = WaitFor(run, startWindow, nullptr);
  if (!window) {
    Kill(&run);
    return Note("setup", "shows no start window");
  }
  WaitForInputIdle(run.process.hProcess, 5000);
  Sleep(500);
  ClickAt(InWindow(window, kAgreementBox));
  Sleep(GetDoubleClickTime() + 100);
  const double clickMs = ClickAt(InWindow(window, kInstallButton));
  MeasureAnimation("setup", run, clickMs, kInstallDone, measured);
  End(&run);
}

void AnimateFloor(const std::string& path, bool measured) {
  Run run = Start(path);
  if (!run.started) return Note("progress_floor", "does not start");
  HWND window = WaitFor(run, WindowSearch{}, nullptr);
  HWND button = window ? FindWindowExA(window, nullptr, "Button", nullptr) : nullptr;
  if (!button) {
    Kill(&run);
    return Note("progress_floor", "shows no button");
  }
  WaitForInputIdle(run.process.hProcess, 5000);
  Sleep(500);
  const double clickMs = ClickAt(CentreOf(button));
  MeasureAnimation("progress_floor", run, clickMs, "done", measured);
  End(&run);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    fprintf(stderr,
            "usage: peer_bench REPORT REPETITIONS SETUP REFERENCE BOX_FLOOR PROGRESS_FLOOR\n");
    return 2;
  }
  g_report = fopen(argv[1], "w");
  if (!g_report) {
    fprintf(stderr, "peer_bench: cannot write %s\n", argv[1]);
    return 2;
  }
  const int repetitions = atoi(argv[2]);
  const std::string setup = argv[3], reference = argv[4], boxFloor = argv[5],
                    progressFloor = argv[6];
  const struct {
    const char* program;
    const std::string& path;
  } starts[] = {{"setup", setup}, {"reference", reference}, {"box_floor", boxFloor}};
  constexpr int kStarts = int(sizeof starts / sizeof starts[0]);
  for (int round = 0; round <= repetitions; ++round) {
    const bool measured = round > 0;
    fprintf(stderr, "peer_bench: round %d of %d%s\n", round, repetitions,
            measured ? "" : " (unmeasured)");
    // The program started first after the animations comes up some tens of
    // milliseconds later than the others: the order turns each round, so
    // that no program is always that one.
    for (int i = 0; i < kStarts; ++i) {
      const auto& start = starts[(round + i) % kStarts];
      MeasureStart(start.program, start.path, measured);
    }
    AnimateSetup(setup, measured);
    AnimateFloor(progressFloor, measured);
    fflush(g_report);
  }
  fclose(g_report);
  return 0;
}

// The progress animation's waits, measured: 58 waits of 0.1 s and one of
// 0.5 s, first with nothing happening, then with the mouse moving over the
// window all the time. Prints the wall time and the CPU time they cost;
// fails when the total is shorter than asked or much longer.
#include <windows.h>

#include <atomic>
#include <cstdio>

#include "installer/cooperative_wait.h"

namespace {

constexpr int kSteps = 58;
constexpr int32_t kStepWait = 100000;
constexpr int32_t kFinalWait = 500000;
constexpr double kAsked = kSteps * 0.1 + 0.5;

std::atomic<bool> g_stop{false};
std::atomic<long> g_moves{0};

LRESULT CALLBACK BenchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MOUSEMOVE) ++g_moves;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

DWORD WINAPI MoveMouse(void* target) {
  RECT rect{};
  GetWindowRect(static_cast<HWND>(target), &rect);
  for (int step = 0; !g_stop; ++step) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG((rect.left + 20 + step % 150) * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = LONG((rect.top + 60) * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Sleep(1);
  }
  return 0;
}

double Seconds(FILETIME a, FILETIME b) {
  ULARGE_INTEGER x{{a.dwLowDateTime, a.dwHighDateTime}}, y{{b.dwLowDateTime, b.dwHighDateTime}};
  return double(x.QuadPart + y.QuadPart) / 1e7;
}

double AtLeastZero(double x) { return x < 0 ? 0 : x; }

double ProcessCpu() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  return Seconds(kernel, user);
}

double ThreadCpu() {
  FILETIME created, ended, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
  return Seconds(kernel, user);
}

bool Run(const char* name, HWND window, bool moving) {
  HANDLE mover = nullptr;
  g_stop = false;
  g_moves = 0;
  if (moving) mover = CreateThread(nullptr, 0, MoveMouse, window, 0, nullptr);
  LARGE_INTEGER frequency, from, to;
  QueryPerformanceFrequency(&frequency);
  const double processBefore = ProcessCpu(), threadBefore = ThreadCpu();
  QueryPerformanceCounter(&from);
  for (int step = 0; step < kSteps; ++step) CooperativeWait(kStepWait);
  CooperativeWait(kFinalWait);
  QueryPerformanceCounter(&to);
  const double wall = double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
  // Coarse clocks can run a hair backwards between two readings.
  const double process = AtLeastZero(ProcessCpu() - processBefore), thread = AtLeastZero(ThreadCpu() - threadBefore);
  g_stop = true;
  if (mover) {
    WaitForSingleObject(mover, INFINITE);
    CloseHandle(mover);
  }
  printf("%-14s asked %.3f s  wall %.3f s  process CPU %.3f s  waiting thread CPU %.3f s"
         "  mouse moves handled %ld\n",
         name, kAsked, wall, process, thread, g_moves.load());
  return wall >= kAsked - 0.01 && wall < kAsked + 1.0;
}

}  // namespace

int main() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = BenchProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "CooperativeWaitBench";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "CooperativeWaitBench", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                100, 100, 393, 277, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window) return 2;
  CooperativeWait(1000);  // resolves the external functions
  bool ok = Run("quiet", window, false);
  ok = Run("mouse moving", window, true) && ok;
  DestroyWindow(window);
  fflush(stdout);
  return ok ? 0 : 1;
}

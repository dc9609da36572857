// A tour of the setup program for the run command on a machine without a
// display: starts it, shows its start window, its agreement window and its
// progress view, saves the screen at each as a BMP file, then lets the
// installation finish and answers its final message. Ends with the setup
// program's exit code (1 when the tour could not go on).
//
//   screen_tour SETUP.EXE OUTPUT-FOLDER
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "setup/setup_driver.h"

namespace {

bool SaveScreen(const std::string& folder, const char* name) {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const std::string path = folder + "\\" + name + ".bmp";
  const bool saved = SaveBmp(CaptureScreen(screen), path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", path.c_str());
  std::fflush(stdout);
  return saved;
}

int GiveUp(const std::string& folder, const char* what) {
  std::printf("screen_tour: %s\n", what);
  SaveScreen(folder, "failure");
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: screen_tour SETUP.EXE OUTPUT-FOLDER\n");
    return 2;
  }
  const std::string folder = argv[2];
  SetupRun run;
  if (!StartSetup(argv[1], &run)) return GiveUp(folder, "the start window did not come");
  SaveScreen(folder, "start");

  ClickUnit(run.startWindow, kAgreementLink);
  HWND agreement = nullptr;
  WaitUntil([&] {
    std::vector<HWND> others = OtherWindows(run.program.process.dwProcessId, run.startWindow);
    agreement = others.empty() ? nullptr : others.front();
    return agreement != nullptr;
  });
  if (!agreement || !Synchronise(agreement))
    return GiveUp(folder, "the agreement window did not come");
  SaveScreen(folder, "agreement");
  PressKey(VK_ESCAPE);
  if (!WaitUntilGone(agreement)) return GiveUp(folder, "Esc left the agreement window");

  ClickUnit(run.startWindow, kAgreementBox);
  ClickUnit(run.startWindow, kInstallButton);
  const POINT bare = PointIn(run.startWindow, kBareSurface);
  MoveMouseTo(bare.x, bare.y);
  // Part of the way: the progress view shown, its bar filled past the 20th
  // column (its end shows the empty colour).
  const RECT bar = UnitRect(run.startWindow, kProgressBar);
  const int barArea = (bar.right - bar.left) * (bar.bottom - bar.top);
  const int y = (bar.top + bar.bottom) / 2;
  auto filledPast20 = [&] {
    const ScreenPixels shot = CaptureScreen(bar);
    return CountWhite(shot, bar) < barArea &&
           shot.At(bar.left + 20, y) != shot.At(bar.right - 8, y);
  };
  if (!WaitUntil(filledPast20)) return GiveUp(folder, "the bar did not fill");
  SaveScreen(folder, "progress");

  MessageBoxSeen seen;
  if (!WaitForMessageBox(run.program, kGiveUpMs, &seen)) return GiveUp(folder, "no final message");
  Synchronise(seen.box);
  SaveScreen(folder, "done");
  ClickBoxButton(seen, IDOK);
  DWORD exitCode = 1;
  if (!WaitForExit(&run.program, kGiveUpMs, &exitCode))
    return GiveUp(folder, "the program did not end");
  std::printf("the setup program ended with exit code %lu\n", exitCode);
  return int(exitCode);
}

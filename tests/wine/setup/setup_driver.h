// Working the setup program as a person does: its start window found on the
// screen, its units pressed where the window shows them, its windows dragged,
// its message boxes read and answered, and the screen read back in pixels.
// Only what Windows offers every program; nothing of the setup program's own
// code or data is used.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/gui_driver.h"

// Where a unit lies in the start window (client coordinates, which are the
// window's own: it has no frame), as the product's layout places it.
struct UnitArea {
  int left;
  int top;
  int width;
  int height;
};

constexpr int kStartWindowWidth = 393;
constexpr int kStartWindowHeight = 277;

constexpr UnitArea kTitleLabel{9, 8, 150, 16};  // the product name on the banner
constexpr UnitArea kMinimiseButton{341, 8, 19, 19};
constexpr UnitArea kCloseButton{366, 8, 19, 19};
constexpr UnitArea kInstallButton{135, 168, 122, 39};
constexpr UnitArea kAgreementBox{114, 223, 88, 24};   // the check box "阅读并同意"
constexpr UnitArea kAgreementLink{200, 224, 87, 24};  // the link "软件许可协议"
constexpr UnitArea kProgressBar{30, 184, 332, 22};
constexpr UnitArea kProgressText{28, 211, 80, 20};
// White window surface that no unit covers before the installation.
constexpr UnitArea kBareSurface{4, 140, 100, 24};

// The setup program as the driver started it.
struct SetupRun {
  RunningProgram program;
  HWND startWindow = nullptr;
};

// Starts the setup program and waits for its start window.
bool StartSetup(const std::string& setupPath, SetupRun* run);

// The whole installation through the start window, as a person does it: the
// agreement ticked, the install button pressed, the final box read and
// answered, the program's end awaited. Empty when the box said "安装完成"
// and the program ended with 0; else what went otherwise. The program is
// handed to `processes`, so that a test that fails leaves it ended.
std::string InstallThroughTheWindow(const std::string& setupPath, ProgramsToEnd* processes);

// The visible top-level windows of a process: its start window (the one of
// the start window's size), and its other windows that are no message box.
HWND FindStartWindow(DWORD processId);
std::vector<HWND> OtherWindows(DWORD processId, HWND startWindow);

// Screen coordinates of a point of a unit (its centre by default).
POINT PointIn(HWND startWindow, const UnitArea& unit);
POINT PointAt(HWND startWindow, const UnitArea& unit, int x, int y);

// A left click at the centre of the unit.
void ClickUnit(HWND startWindow, const UnitArea& unit);

// A point of the caption bar of a framed window.
POINT CaptionPoint(HWND window);

// Waits for a message box of the program and answers it with OK; the text
// it showed, marked when its caption is not the default "信息：", or
// "<no box>" when none came.
std::string AnswerMessageBox(const RunningProgram& program, DWORD timeoutMs);

// The screen's pixels over an area, read with GetDC(NULL) and BitBlt.
struct ScreenPixels {
  RECT area{};
  std::vector<uint32_t> pixels;     // 0x00RRGGBB, rows top down
  uint32_t At(int x, int y) const;  // screen coordinates
};
ScreenPixels CaptureScreen(const RECT& area);

// The screen rectangle of a unit.
RECT UnitRect(HWND startWindow, const UnitArea& unit);

// How many pixels of the area (screen coordinates) are of the colour
// (0x00RRGGBB), or pure white.
int CountPixels(const ScreenPixels& shot, const RECT& area, uint32_t colour);
int CountWhite(const ScreenPixels& shot, const RECT& area);

// Saves the pixels as a BMP file (a Windows path); false when it cannot.
bool SaveBmp(const ScreenPixels& shot, const std::string& path);

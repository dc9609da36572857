#include "setup/setup_driver.h"

#include "support/dib_surface.h"
#include "support/test_text.h"
#include "texts/messages.h"
#include "texts/setup_messages.h"

namespace {

bool HasStartWindowSize(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect.right - rect.left == kStartWindowWidth &&
         rect.bottom - rect.top == kStartWindowHeight;
}

}  // namespace

bool StartSetup(const std::string& setupPath, SetupRun* run) {
  run->program = StartProgram("\"" + setupPath + "\"");
  if (!run->program.started) return false;
  WaitUntil([&] {
    run->startWindow = FindStartWindow(run->program.process.dwProcessId);
    return run->startWindow || !IsRunning(run->program);
  });
  // Painted before anything looks at it.
  return run->startWindow && Synchronise(run->startWindow);
}

std::string InstallThroughTheWindow(const std::string& setupPath, ProgramsToEnd* processes) {
  SetupRun run;
  if (!StartSetup(setupPath, &run)) return "no start window";
  processes->Add(run.program.process.hProcess);
  ClickUnit(run.startWindow, kAgreementBox);
  ClickUnit(run.startWindow, kInstallButton);
  MessageBoxSeen seen;
  if (!WaitForMessageBox(run.program, 60000, &seen)) return "no final message";
  if (seen.text != kInstallDone) return "the final message is not the success message";
  ClickBoxButton(seen, IDOK);
  DWORD code = 12345;
  if (!WaitForExit(&run.program, 30000, &code)) return "the setup program does not end";
  return code == 0 ? std::string() : "the setup program ends with " + std::to_string(code);
}

HWND FindStartWindow(DWORD processId) {
  for (HWND hwnd : VisibleTopWindows(processId))
    if (!IsMessageBox(hwnd) && HasStartWindowSize(hwnd)) return hwnd;
  return nullptr;
}

std::vector<HWND> OtherWindows(DWORD processId, HWND startWindow) {
  std::vector<HWND> others;
  for (HWND hwnd : VisibleTopWindows(processId))
    if (hwnd != startWindow && !IsMessageBox(hwnd)) others.push_back(hwnd);
  return others;
}

POINT PointIn(HWND startWindow, const UnitArea& unit) {
  return PointAt(startWindow, unit, unit.width / 2, unit.height / 2);
}

POINT PointAt(HWND startWindow, const UnitArea& unit, int x, int y) {
  RECT window{};
  GetWindowRect(startWindow, &window);
  return POINT{window.left + unit.left + x, window.top + unit.top + y};
}

void ClickUnit(HWND startWindow, const UnitArea& unit) {
  const POINT at = PointIn(startWindow, unit);
  ClickAt(at.x, at.y);
}

POINT CaptionPoint(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const int frame = GetSystemMetrics(SM_CYFIXEDFRAME);
  return POINT{rect.left + 60, rect.top + frame + GetSystemMetrics(SM_CYCAPTION) / 2};
}

std::string AnswerMessageBox(const RunningProgram& program, DWORD timeoutMs) {
  MessageBoxSeen seen;
  if (!WaitForMessageBox(program, timeoutMs, &seen)) return "<no box>";
  std::string text = seen.text;
  if (seen.caption != kDefaultMessageCaption) text = "<caption \"" + seen.caption + "\"> " + text;
  ClickBoxButton(seen, IDOK);
  if (!WaitUntilGone(seen.box)) text = "<box stayed> " + text;
  return text;
}

uint32_t ScreenPixels::At(int x, int y) const {
  const int width = area.right - area.left;
  return pixels[size_t(y - area.top) * size_t(width) + size_t(x - area.left)];
}

ScreenPixels CaptureScreen(const RECT& area) {
  ScreenPixels shot;
  shot.area = area;
  shot.pixels = CaptureScreenArea(area).pixels;
  return shot;
}

RECT UnitRect(HWND startWindow, const UnitArea& unit) {
  const POINT topLeft = PointAt(startWindow, unit, 0, 0);
  return RECT{topLeft.x, topLeft.y, topLeft.x + unit.width, topLeft.y + unit.height};
}

int CountPixels(const ScreenPixels& shot, const RECT& area, uint32_t colour) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (shot.At(x, y) == colour) ++count;
  return count;
}

int CountWhite(const ScreenPixels& shot, const RECT& area) {
  return CountPixels(shot, area, 0x00FFFFFF);
}

// 24 bits a pixel, rows bottom up and padded to four bytes: the form every
// reader takes.
bool SaveBmp(const ScreenPixels& shot, const std::string& path) {
  const int width = shot.area.right - shot.area.left, height = shot.area.bottom - shot.area.top;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<unsigned char> rows(size_t(stride) * size_t(height), 0);
  for (int y = 0; y < height; ++y) {
    unsigned char* row = &rows[size_t(height - 1 - y) * size_t(stride)];
    for (int x = 0; x < width; ++x) {
      const uint32_t pixel = shot.pixels[size_t(y) * size_t(width) + size_t(x)];
      row[x * 3 + 0] = (unsigned char)(pixel & 0xFF);
      row[x * 3 + 1] = (unsigned char)((pixel >> 8) & 0xFF);
      row[x * 3 + 2] = (unsigned char)((pixel >> 16) & 0xFF);
    }
  }
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = DWORD(rows.size());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;

  HANDLE out =
      CreateFileW(WideOf(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) &&
            WriteFile(out, &info, sizeof info, &written, nullptr) &&
            WriteFile(out, rows.data(), DWORD(rows.size()), &written, nullptr);
  return CloseHandle(out) && ok;
}

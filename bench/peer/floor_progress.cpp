// The floor of the animation's figures under Wine, its CPU share and its
// time from the click to the final box: the least a program does to move a
// progress bar through the setup program's positions with its waits. A
// window with a button and a progress bar of the common controls; the button
// starts 58 steps of 0.1 s, then the full bar for 0.5 s, then a box "done".
// The waits let the messages through as they come.
#include <windows.h>
#include <commctrl.h>

namespace {

constexpr int kLastStep = 58;
constexpr int kFull = 59;
constexpr DWORD kStepMs = 100;
constexpr DWORD kFinalMs = 500;
constexpr int kButtonId = 1;

HWND g_bar = nullptr;

void Wait(DWORD ms) {
  const DWORD start = GetTickCount();
  for (DWORD spent = 0; spent < ms; spent = GetTickCount() - start) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

void Animate(HWND window, HWND button) {
  EnableWindow(button, FALSE);
  for (int position = 1; position <= kLastStep; ++position) {
    SendMessageA(g_bar, PBM_SETPOS, WPARAM(position), 0);
    Wait(kStepMs);
  }
  SendMessageA(g_bar, PBM_SETPOS, WPARAM(kFull), 0);
  Wait(kFinalMs);
  MessageBoxA(window, "done", "Floor", MB_OK);
  DestroyWindow(window);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) Animate(hwnd, HWND(lParam));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&init);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "ProgressFloor";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "ProgressFloor", "Floor", WS_POPUP | WS_BORDER, 300, 200, 393,
                                277, nullptr, nullptr, instance, nullptr);
  CreateWindowExA(0, "BUTTON", "Install", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 135, 100, 122, 39,
                  window, HMENU(kButtonId), instance, nullptr);
  g_bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 30, 184, 332, 22, window,
                          nullptr, instance, nullptr);
  SendMessageA(g_bar, PBM_SETRANGE, 0, MAKELPARAM(0, kFull));
  ShowWindow(window, show);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

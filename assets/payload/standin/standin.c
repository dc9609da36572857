/* Stand-in for the product's main program. It shows a window titled with the
   program's name, showing the command line it was given, and appends that
   command line, exactly as received, as one line to "standin.log" in the
   folder named by MORVANE_STANDIN_LOG when that variable is set. With
   MORVANE_STANDIN_QUIT set it ends right after logging, so that tests can
   check how a registered command starts it without closing windows. */

#include <windows.h>

static const char kTitle[] = "Morvane";
static const char kClassName[] = "MorvaneStandin";

static void LogCommandLine(const char* commandLine) {
  char folder[MAX_PATH];
  DWORD length = GetEnvironmentVariableA("MORVANE_STANDIN_LOG", folder, sizeof(folder));
  if (length == 0 || length >= sizeof(folder) - sizeof("\\standin.log")) return;
  lstrcatA(folder, "\\standin.log");

  /* FILE_APPEND_DATA keeps lines of several starts apart even when two
     instances log at once. */
  HANDLE file = CreateFileA(folder, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written;
  WriteFile(file, commandLine, (DWORD)lstrlenA(commandLine), &written, NULL);
  WriteFile(file, "\r\n", 2, &written, NULL);
  CloseHandle(file);
}

static LRESULT CALLBACK StandinWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR args, int show) {
  (void)previous;
  (void)args;
  const char* commandLine = GetCommandLineA();
  LogCommandLine(commandLine);
  if (GetEnvironmentVariableA("MORVANE_STANDIN_QUIT", NULL, 0) != 0) return 0;

  WNDCLASSA windowClass = {0};
  windowClass.lpfnWndProc = StandinWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
  windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return 1;

  HWND window = CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 480, 160, NULL, NULL, instance, NULL);
  if (!window) return 1;
  CreateWindowExA(0, "STATIC", commandLine, WS_CHILD | WS_VISIBLE | SS_LEFT, 12, 12, 440, 80,
                  window, NULL, instance, NULL);
  ShowWindow(window, show);

  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return (int)msg.wParam;
}

/* The floor of the first-window and working-set figures under Wine: a
   program that does nothing but show a message box. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance;
  (void)previous;
  (void)commandLine;
  (void)show;
  MessageBoxA(NULL, "Floor", "Floor", MB_OK);
  return 0;
}

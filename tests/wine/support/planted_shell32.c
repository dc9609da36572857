/* A library named shell32.dll that the tests plant beside a test program,
   as a downloaded setup program may find one planted beside it. It exports
   SHChangeNotify so that a function resolved from it would be recognised. */
#include <windows.h>

__declspec(dllexport) void WINAPI
    SHChangeNotify(LONG event, UINT flags, const void* item1, const void* item2) {
  (void)event;
  (void)flags;
  (void)item1;
  (void)item2;
}

/* Only the planted library has it. */
__declspec(dllexport) int WINAPI PlantedLibraryMarker(void) { return 1; }

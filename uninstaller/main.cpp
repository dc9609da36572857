// Entry point of the uninstaller, 卸载Morvane.exe: the same DLL-search
// hardening as the setup program first (a temporary folder is where planted
// libraries wait), then the phase that its command line names.
#include <windows.h>
#include <ole2.h>

#include "frame/dll_search.h"
#include "frame/heap.h"
#include "services/wide_text.h"
#include "uninstaller/phases.h"
#include "uninstaller/uninstall_report.h"

// Nothing has been removed that a half-done run would leave inconsistent:
// each item goes whole or stays. The process ends as a run-time error does.
void ReportAllocationFailure(size_t) { ExitProcess(UINT(-1)); }

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  // A folder "<program>.exe.local" beside the program would redirect the
  // common-controls library, and with it code, into this elevated process.
  if (!RestrictDllSearch()) {
    // Shown by the system on the user's desktop, not by this process, whose
    // own message box would load the very common-controls library that the
    // folder redirects.
    MessageBoxW(nullptr, WideText(kRedirectionRefused).c_str(), WideText(kUninstallCaption).c_str(),
                MB_OK | MB_ICONERROR | MB_SERVICE_NOTIFICATION);
    return -1;
  }
  OleInitialize(nullptr);
  PhaseTwo phase;
  const int exitCode = ParsePhaseTwo(TextOfWide(GetCommandLineW()).c_str(), &phase)
                           ? RunSecondPhase(phase)
                           : RunFirstPhase();
  OleUninitialize();
  return exitCode;
}

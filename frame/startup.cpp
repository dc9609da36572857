#include "frame/startup.h"

#include <windows.h>
#include <float.h>
#include <ole2.h>

#include "frame/app_state.h"
#include "frame/dll_search.h"
#include "frame/external_functions.h"
#include "frame/message_loop.h"
#include "frame/program_path.h"
#include "frame/runtime_error.h"
#include "frame/runtime_error_text.h"
#include "frame/shutdown.h"
#include "frame/template/template_reader.h"
#include "frame/window_loader.h"
#include "services/wide_text.h"

namespace {

// A name of Windows's alone, never a text of the program.
const wchar_t kHiddenOwnerClass[] = L"MorvaneHiddenOwner";

LRESULT CALLBACK HiddenOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kMsgShutdownRequest:
      HandleShutdownRequest(int(wParam));
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateHiddenOwner() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = HiddenOwnerProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = HBRUSH(GetStockObject(NULL_BRUSH));
  windowClass.lpszClassName = kHiddenOwnerClass;
  RegisterClassW(&windowClass);
  return CreateWindowExW(WS_EX_TOOLWINDOW, kHiddenOwnerClass, L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// A missing function names no place; an unbalanced stack names the calling
// procedure and the call's place in it.
void ReportExternalFunctionFault(const Text& message, int32_t code, int32_t first, int32_t second) {
  ReportRuntimeError(message, code, uint32_t(first), uint32_t(second));
}

void ReadWindowTemplate(const ProgramDefinition& program) {
  if (program.windowTemplate.size == 0) return;
  Template read;
  if (!ReadTemplate(program.windowTemplate, &program.handlers, &read))
    ReportRuntimeError(kTemplateUnreadable, 0, 0, 0);
  for (TemplateWindow& window : read.windows) {
    std::unique_ptr<WindowEntry> entry(new WindowEntry);
    entry->window = std::move(window);
    WindowList().push_back(std::move(entry));
  }
}

}  // namespace

int RunProgram(const ProgramDefinition& program) {
  AppState& app = App();
  app.uiThreadId = GetCurrentThreadId();
  // Before anything else: nothing is written, and no window of the template
  // is shown, with libraries redirected. The report's box is the system's:
  // one of this process would load the common controls through the very
  // redirection.
  if (!RestrictDllSearch())
    ReportRuntimeError(DllRedirectionMessage(ShownTextOfPath(GetProgramPath().fileName) + ".local"),
                       0, 0, 0, ReportBox::OfTheSystem);
  app.heap = GetProcessHeap();
  app.oleStarted = SUCCEEDED(OleInitialize(nullptr));
  // Every relative path of the installer is relative to the setup program.
  // With the trailing backslash, so that a program in a drive's root makes
  // the root current ("C:" alone would mean the drive's current folder).
  const ProgramPath& path = GetProgramPath();
  if (!path.folderSlash.Empty()) SetCurrentDirectoryW(path.folderSlash.c_str());
  app.hiddenOwner = CreateHiddenOwner();
  app.unitClasses = program.unitClasses;
  app.accessibleNames = program.accessibleNames;
  SetExternalFunctionReport(ReportExternalFunctionFault);
  ReadWindowTemplate(program);
  _fpreset();

  const uint32_t startWindow = uint32_t(program.startWindow);
  WindowEntry* start = FindWindowEntry(startWindow);
  if (!start || !LoadWindowFromTemplate(start, nullptr, false))
    ReportRuntimeError(kStartWindowFailed, 0, startWindow, 0);

  const int exitCode = RunMainMessageLoop();
  RunShutdown(exitCode);
  return exitCode;
}

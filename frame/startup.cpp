#include "frame/startup.h"

#include <windows.h>
#include <float.h>
#include <ole2.h>

#include "frame/app_state.h"
#include "frame/dll_search.h"
#include "frame/external_functions.h"
#include "frame/message_loop.h"
#include "frame/runtime_error.h"
#include "frame/runtime_error_text.h"
#include "frame/shutdown.h"
#include "frame/template/template_reader.h"
#include "frame/unit_registry.h"
#include "frame/window_loader.h"

namespace {

const char kHiddenOwnerClass[] = "MorvaneHiddenOwner";

LRESULT CALLBACK HiddenOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kMsgShutdownRequest:
      HandleShutdownRequest(int(wParam));
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// "C:\dir\setup.exe" gives "C:\dir" and "setup.exe".
void RecordProgramPath(AppState* app) {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length >= MAX_PATH) length = MAX_PATH - 1;
  path[length] = '\0';
  // The last backslash byte: path names here are code page 936, and a
  // trail byte can be 0x5C, so lead bytes are stepped over with their trail.
  const char* lastSlash = nullptr;
  for (const char* p = path; *p; ++p) {
    if (IsDBCSLeadByte(BYTE(*p)) && p[1]) {
      ++p;
      continue;
    }
    if (*p == '\\') lastSlash = p;
  }
  if (!lastSlash) {
    app->programFolder.clear();
    app->programFileName = path;
  } else {
    app->programFolder.assign(path, size_t(lastSlash - path));
    app->programFileName = lastSlash + 1;
  }
  app->programFolderSlash = app->programFolder.empty() ? Text() : app->programFolder + "\\";
}

HWND CreateHiddenOwner() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = HiddenOwnerProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = HBRUSH(GetStockObject(NULL_BRUSH));
  windowClass.lpszClassName = kHiddenOwnerClass;
  RegisterClassA(&windowClass);
  return CreateWindowExA(WS_EX_TOOLWINDOW, kHiddenOwnerClass, "", 0, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

void ReportUnresolvedFunction(const Text& message) { ReportRuntimeError(message, 0, 0, 0); }

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

// The program's exit procedure: nothing to do at its end.
void ProgramExitProcedure(int) {}

}  // namespace

int RunProgram(const ProgramDefinition& program) {
  RestrictDllSearch();
  AppState& app = App();
  app.heap = GetProcessHeap();
  app.oleStarted = SUCCEEDED(OleInitialize(nullptr));
  RecordProgramPath(&app);
  // Every relative path of the installer is relative to the setup program.
  // With the trailing backslash, so that a program in a drive's root makes
  // the root current ("C:" alone would mean the drive's current folder).
  if (!app.programFolderSlash.empty()) SetCurrentDirectoryA(app.programFolderSlash.c_str());
  app.hiddenOwner = CreateHiddenOwner();
  app.uiThreadId = GetCurrentThreadId();
  SetUnresolvedFunctionReport(ReportUnresolvedFunction);
  if (program.registerUnitClasses) program.registerUnitClasses();
  ReadWindowTemplate(program);

  _fpreset();
  RegisterExitCallback(ProgramExitProcedure);
  if (program.startUp) program.startUp();

  WindowEntry* start = FindWindowEntry(kStartWindowId);
  if (!start || !LoadWindowFromTemplate(start, nullptr, false))
    ReportRuntimeError(kStartWindowFailed, 0, kStartWindowId, 0);

  const int exitCode = RunMainMessageLoop();
  RunShutdown(exitCode);
  return exitCode;
}

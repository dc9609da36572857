#include "frame/shutdown.h"

#include <windows.h>
#include <ole2.h>

#include "frame/app_state.h"
#include "frame/external_functions.h"
#include "frame/idle_callbacks.h"
#include "frame/window_loader.h"

namespace {

// Everything of the orderly shutdown but the end of the process.
void ReleaseEverything() {
  AppState& app = App();
  app.shuttingDown = true;
  ClearIdleCallbacks();
  DestroyAllWindows();
  FreeExternalFunctions();
  ReleaseFrameResources();
  if (app.hiddenOwner) {
    DestroyWindow(app.hiddenOwner);
    app.hiddenOwner = nullptr;
  }
  if (app.oleStarted) {
    app.oleStarted = false;
    OleUninitialize();
  }
}

// Another thread cannot destroy the windows of this one: it hands the
// request to the user-interface thread through the hidden owner window.
void RequestFromOtherThread(int exitCode) {
  AppState& app = App();
  if (app.hiddenOwner) SendMessageW(app.hiddenOwner, kMsgShutdownRequest, WPARAM(exitCode), 0);
  if (!app.shuttingDown) ExitProcess(UINT(exitCode));
  // The user-interface thread is shutting down already and ends the process.
  ExitThread(UINT(exitCode));
}

}  // namespace

void EndProgram(int32_t exitCode) {
  if (GetCurrentThreadId() != App().uiThreadId) RequestFromOtherThread(exitCode);
  if (!App().shuttingDown) ReleaseEverything();
  ExitProcess(UINT(exitCode));
}

void RunShutdown(int exitCode) {
  if (GetCurrentThreadId() != App().uiThreadId) RequestFromOtherThread(exitCode);
  if (!App().shuttingDown) ReleaseEverything();
}

void HandleShutdownRequest(int exitCode) {
  if (App().shuttingDown) return;
  EndProgram(exitCode);
}

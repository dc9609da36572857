// The main message loop with its idle step, and the handling of one message
// that every loop of the program shares (pre-translation, translation,
// dispatch).
#pragma once

#include <windows.h>

// Runs until WM_QUIT and answers its exit code. Not entered (answering 0)
// when no window is loaded.
int RunMainMessageLoop();

// Takes the next message (waiting for one) and handles it as the main loop
// does. False, with the message left in *message, when it was WM_QUIT.
bool HandleNextMessage(MSG* message);

// The loaded windows' pre-translation of a taken message: true when the
// message is consumed (dropped or claimed) and must not be dispatched. May
// change the message (a replaced character).
bool PreTranslate(MSG* message);

// Handles messages until `window` is gone; a WM_QUIT that arrives meanwhile
// is put back for the loop outside (modal windows).
void RunLoopUntilDestroyed(HWND window);

// The common-controls library, initialised on demand before the first unit
// whose window class it provides (the progress bar) is created.
#pragma once

// Loads the library from the system directory and registers its classes,
// once. False when it cannot be loaded.
bool EnsureCommonControls();

// Frees the library at shutdown.
void ReleaseCommonControls();

#include "services/process.h"

#include "frame/frame_interface.h"

void EndProgram(int32_t exitCode) { ShutdownAndExit(int(exitCode)); }

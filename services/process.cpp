#include "services/process.h"

#include "frame/shutdown.h"

void EndProgram(int32_t exitCode) { ShutdownAndExit(int(exitCode)); }

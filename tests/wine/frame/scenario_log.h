// The log that the frame's test programs write and the driver reads: one
// line per thing seen, appended as it happens.
#pragma once

void SetLogPath(const char* path);
void LogLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

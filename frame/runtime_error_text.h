// The text of the run-time error report, built from its parts. Pure code:
// builds for Windows and for the host.
#pragma once

#include <cstdint>

#include "services/values.h"
// The caption of the report (kRuntimeErrorCaption), its parts and the
// messages of the frame's and the services' run-time errors.
#include "texts/runtime_errors.h"

// Where the error happened, as the window list knows it.
struct ErrorLocation {
  int32_t window = 0;  // a window identifier, or any number (a procedure)
  int32_t unit = 0;
  bool windowFound = false;  // the window is in the window list
  Text windowName;
  bool unitFound = false;  // the unit (the window's own record for 0) exists
  Text unitName;
};

// True when bits 24 to 27 of `identifier` say "window".
bool IsWindowKindIdentifier(int32_t identifier);

// "\r\n<window>, <unit>", then, for a window identifier, the quoted window
// and unit names or the "not found" lines, then "\r\n".
Text ErrorLocationText(const ErrorLocation& location);

// "运行时出错!\r\n", the code and message sections when present, then the
// location text.
Text RuntimeErrorText(const Text& message, int32_t code, const ErrorLocation& location);

// "分配 N 字节内存失败!": an allocation of `size` bytes failed.
Text AllocationFailedText(size_t size);

constexpr int32_t kStackErrorCode = 6;

// The message of the refusal to run with libraries redirected:
// 程序所在文件夹中有“<name>”，程序载入的系统库可能被替换，程序不能运行
// (`name`: the "<program file>.local" that stands beside the program).
Text DllRedirectionMessage(const Text& name);

// "注册窗口类“NAME”失败": a window class that could not be registered.
Text ClassNotRegisteredText(const Text& className);

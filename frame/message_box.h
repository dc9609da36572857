// ShowMessageBox: a modal message box that answers the button pressed. The
// one place where the program's handlers show a box.
#pragma once

#include <windows.h>

#include <cstdint>

#include "services/message_text.h"
#include "services/values.h"

// `message`: a Text, or any other value shown formatted; `style`: the MB_
// values, the box being task-modal unless it asks to be system-modal;
// `caption`: nullptr for "信息："; `owner`: a window or nullptr
// (FindUnitWindow gives a unit's). Answers ButtonCode::Ok also when the box
// cannot be shown.
ButtonCode ShowMessageBox(const Value& message, uint32_t style = MB_OK,
                          const char* caption = nullptr, HWND owner = nullptr);

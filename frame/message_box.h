// ShowMessageBox: a modal message box that answers the button pressed.
#pragma once

#include <cstdint>

#include "services/values.h"

// message: a Text or any other value (shown formatted); style: MB_ values;
// caption: a Text, or absent for "信息："; owner: a unit reference or an
// integer window handle, or absent. Answers the ButtonCode (0 also when the
// box cannot be shown).
int32_t ShowMessageBox(const Value& message, const Value& style, const Value& caption,
                       const Value& owner);

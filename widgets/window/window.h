// The window unit (window): the top-level window of a form, which holds all
// its other units.
#pragma once

#include "frame/unit_class.h"

// The window class registered when a window's ClassName is empty.
extern const char kDefaultWindowClassName[];

extern const UnitOperations kWindowUnit;

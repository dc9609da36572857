// The label unit (Label): a panel that paints its own background (a band,
// a picture, a gradient or a colour) and a caption.
#pragma once

#include "frame/unit_class.h"

extern const UnitOperations kLabelUnit;

// The transparent label unit (TransLabel): only the glyphs of its caption,
// over whatever lies behind it.
#pragma once

#include "frame/unit_class.h"

extern const UnitOperations kTransLabelUnit;

// The progress bar unit (ProcessBar): the common-controls progress bar.
#pragma once

#include "frame/unit_class.h"

extern const UnitOperations kProcessBarUnit;

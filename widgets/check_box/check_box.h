// The check box unit class (CheckBox): see check_box.cpp.
#pragma once

#include "frame/unit_class.h"
#include "widgets/check_box/check_box_properties.h"

extern const UnitOperations kCheckBoxUnit;

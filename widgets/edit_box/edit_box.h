// The edit box unit class (EditBox): see edit_box.cpp.
#pragma once

#include "frame/unit_class.h"
#include "widgets/edit_box/edit_box_properties.h"

extern const UnitOperations kEditBoxUnit;

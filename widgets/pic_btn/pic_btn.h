// The graphic button unit class (PicBtn): its table of unit operations.
#pragma once

#include "frame/unit_class.h"
#include "widgets/pic_btn/pic_btn_properties.h"

extern const UnitOperations kPicBtnUnit;

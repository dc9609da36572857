// The picture box unit (PicBox): a child window filled with its background
// colour that shows one picture, and may hold other units.
#pragma once

#include "frame/unit_class.h"

// The window class of every picture box.
extern const char kPicBoxClassName[];

extern const UnitOperations kPicBoxUnit;

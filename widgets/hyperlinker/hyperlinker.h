// The hyperlink box unit class (HyperLinker): its table of unit operations.
#pragma once

#include "frame/unit_class.h"
#include "widgets/hyperlinker/hyperlinker_properties.h"

extern const UnitOperations kHyperLinkerUnit;

// The unit classes of the setup program: one line per class of widgets/
// that the product's window template names.
#pragma once

#include "frame/unit_class.h"

UnitClassList ProgramUnitClasses();

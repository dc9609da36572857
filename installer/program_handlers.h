// The handlers of the setup program, by the references that the product's
// window template binds them with, and the names that screen readers read
// for the units whose words are pictures.
#pragma once

#include "frame/template/template_records.h"
#include "frame/unit_class.h"

HandlerTable ProgramHandlers();
AccessibleNameList ProgramAccessibleNames();

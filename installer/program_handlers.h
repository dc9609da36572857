// The handlers of the setup program, by the references that the product's
// window template binds them with.
#pragma once

#include "frame/template/template_records.h"

HandlerTable ProgramHandlers();

// The run-time error report: every fatal condition of the program ends here.
#pragma once

#include <cstdint>

#include "services/values.h"

// Who shows the report's box: this process, or the system (for a report
// made when the libraries that a box of this process would load cannot be
// trusted).
enum class ReportBox { OfTheProgram, OfTheSystem };

// Shows "运行时出错!" with the code, the message and where it happened
// (window and unit) in a box titled "错误", then shuts the program down and
// ends the process with exit code -1. Events stop at once and for good.
[[noreturn]] void ReportRuntimeError(const Text& message, int32_t code, uint32_t window,
                                     uint32_t unit, ReportBox box = ReportBox::OfTheProgram);

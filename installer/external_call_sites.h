// The procedures of the setup program that call external functions, each
// with a number of its own: the report of a call that left the stack
// unbalanced names the procedure by it, then the call's place in it.
#pragma once

#include <cstdint>

enum ExternalCallingProcedure : int32_t {
  kCooperativeWaitProcedure = 1,    // its calls: 1 create, 2 set, 3 wait, 4 cancel the timer
  kRegisterFileClassProcedure = 2,  // its call: 1 the change notification
};

// Identifiers of the resources of the setup program. Included by the
// resource script and by the code that loads them.
#pragma once

#define IDI_PROGRAM 1
// The hand pointer that a mouse-pointer code of 32649 stands for.
#define IDC_PROGRAM_HAND 101

// The resources that the frame and the widgets expect in the program that
// runs them: the program's resource script defines them under these
// identifiers.
#pragma once

// The program's icon: also the icon of a window that has none of its own.
#define IDI_PROGRAM 1
// The hand pointer that a mouse-pointer code of 32649 stands for.
#define IDC_PROGRAM_HAND 101

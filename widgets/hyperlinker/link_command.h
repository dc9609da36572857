// What a hyperlink box opens: its target, and the command line of the
// fallback that runs the program registered for ".htm" files with it.
// Pure code: builds for Windows and for the host.
#pragma once

#include <cstddef>

#include "widgets/hyperlinker/hyperlinker_properties.h"

// The room, terminator included, for the class name that ".htm" names.
constexpr size_t kLinkClassCapacity = 260;
// The room, terminator included, for the command registered for that class
// and for the command line built from it.
constexpr size_t kLinkCommandCapacity = 2048;
// The room, terminator included, for a target handed to the shell: MAX_PATH,
// the length the shell documents for the names it looks up and the buffers
// of its lookups (FindExecutable's result among them). A shell may copy the
// target into such a buffer on its stack; Wine's overruns one for a target
// of about a thousand characters, which on 32-bit reaches the exception
// chain and ends the process.
constexpr size_t kShellTargetCapacity = 260;

// LinkKind 0: "mailto:" followed by MailAddress; LinkKind 1: WebAddress.
// Empty when the address is empty: there is nothing to open.
Text LinkTarget(const HyperLinkerProperties& properties);

// Whether `target` may go to the shell: it fits kShellTargetCapacity with
// its terminator. A longer one goes to the ".htm" fallback alone.
bool ShellCanTake(const Text& target);

// The command line that opens `target` with the `registered` command: the
// command is cut at its first "%1" in quotation marks or, when there is
// none, at its first bare %1; a blank and the target follow. Without a
// placeholder the blank and the target follow the whole command. Written
// into `buffer` (`capacity` bytes, terminator included); false, with an
// empty buffer, when the command line would not fit.
bool BuildFallbackCommand(const char* registered, const char* target, char* buffer,
                          size_t capacity);

// "<class>\shell\open\command" into `buffer` (`capacity` bytes); false, with
// an empty buffer, when it would not fit.
bool BuildOpenCommandKey(const char* className, char* buffer, size_t capacity);

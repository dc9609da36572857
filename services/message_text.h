// The pure part of ShowMessageBox: the message text made from a typed value,
// the style actually passed to MessageBoxW, and the button code it answers.
// Builds for Windows and for the host.
#pragma once

#include <cstdint>

#include "services/values.h"
// The caption used when none is given (kDefaultMessageCaption), and the
// words of logicals and dates.
#include "texts/messages.h"

// The text shown for `value`: a Text unchanged, numbers in decimal, floats
// with six or thirteen significant digits, a logical as 真 or 假, a date as
// 年月日 with the time parts that are not zero; any other type gives the
// empty text.
Text MessageTextOf(const Value& value);

// Every box is task-modal unless it asks to be system-modal: a box without an
// owner then disables the thread's top-level windows while it is shown.
uint32_t MessageBoxStyleOf(uint32_t style);

// The button that closed a message box: one less than the Windows button
// identifier (IDOK 1 to IDNO 7).
enum class ButtonCode : int32_t { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// The code of a MessageBoxW result; Ok for anything unknown, which includes
// the 0 of a failed MessageBoxW.
ButtonCode ButtonCodeOf(int messageBoxResult);

// A calendar date and time of day, as a date value stands for it.
struct CivilTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Splits a date value (days since 1899-12-30; the fraction is the time of
// day, counted forward from midnight also for days before the epoch) into
// calendar fields, rounded to the nearest second.
CivilTime CivilTimeOf(double dateValue);

// Conversion between the UTF-8 of the template source and the code page 936
// of every text the template stores.
#pragma once

#include <string>

// Converts UTF-8 to code page 936. False, with a message naming the first
// character that has no code-page-936 form (or the first malformed byte),
// when any part of the text does not convert: a template never holds a text
// with characters silently dropped or replaced.
bool Utf8ToCp936(const std::string& utf8, std::string* cp936, std::string* error);

// Converts code page 936 to UTF-8 for display on one line: a backslash and a
// double quote are written as \\ and \", CR, LF and tab as \r, \n and \t,
// other control bytes and bytes that do not convert as \xNN, so any stored
// text can be shown and two different texts never look alike.
std::string Cp936ToDisplay(const std::string& cp936);

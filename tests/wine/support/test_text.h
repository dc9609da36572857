// The tests' texts: code page 936, as the product's are, written in the test
// sources as UTF-8. What a test hands to Windows or reads from it goes
// through the wide API, converted here explicitly from and to code page 936,
// never through the ANSI code page: a test then sees what Windows holds, and
// expects the same on every machine.
#pragma once

#include <string>

// Converts UTF-8 (the test sources' encoding) to code page 936.
std::string Gbk(const char* utf8);

// Code page 936 as UTF-16, and back ('?' for a character without a
// code-page-936 form).
std::wstring WideOf(const std::string& cp936);
std::string Cp936Of(const std::wstring& wide);
std::string Cp936Of(const wchar_t* wide);

// UTF-16 as UTF-8 and back: names of the machine (a user's profile) that
// code page 936 cannot write, kept whole in a file or a message.
std::string Utf8Of(const std::wstring& wide);
std::wstring WideOfUtf8(const std::string& utf8);

#include "support/test_text.h"

#include <windows.h>

std::string Gbk(const char* utf8) {
  wchar_t wide[1024];
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 1024);
  char bytes[2048];
  int m = n ? WideCharToMultiByte(936, 0, wide, -1, bytes, sizeof(bytes), nullptr, nullptr) : 0;
  return m ? std::string(bytes, m - 1) : std::string();
}

std::wstring WideOf(const std::string& cp936) {
  if (cp936.empty()) return std::wstring();
  std::wstring wide(cp936.size(), L'\0');
  const int length =
      MultiByteToWideChar(936, 0, cp936.data(), int(cp936.size()), &wide[0], int(wide.size()));
  wide.resize(size_t(length > 0 ? length : 0));
  return wide;
}

std::string Cp936Of(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  std::string text(wide.size() * 2, '\0');
  const int length = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()),
                                         &text[0], int(text.size()), nullptr, nullptr);
  text.resize(size_t(length > 0 ? length : 0));
  return text;
}

std::string Cp936Of(const wchar_t* wide) { return Cp936Of(std::wstring(wide ? wide : L"")); }

std::string Utf8Of(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(size_t(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), &text[0], size, nullptr, nullptr);
  return text;
}

std::wstring WideOfUtf8(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring wide(size_t(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &wide[0], size);
  return wide;
}

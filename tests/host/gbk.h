// Test helper: converts the UTF-8 of the test sources to code page 936, so
// that expected texts are written as people read them.
#pragma once

#include <iconv.h>

#include <string>

inline std::string Gbk(const char* utf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == iconv_t(-1)) return "<no iconv>";
  std::string in(utf8);
  std::string out(in.size() * 2 + 4, '\0');
  char* src = in.data();
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (rc == size_t(-1)) return "<bad text>";
  out.resize(out.size() - dstLeft);
  return out;
}

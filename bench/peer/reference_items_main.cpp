// reference_items OUTPUT: writes the reference installer's share of the
// installation table (reference_items.h) as UTF-8 with a byte-order mark,
// which makensis reads whatever its input character set.
#include <iconv.h>

#include <cstdio>
#include <string>

#include "bench/peer/reference_items.h"

namespace {

bool Utf8Of(const std::string& cp936, std::string* utf8) {
  iconv_t cd = iconv_open("UTF-8", "GBK");
  if (cd == iconv_t(-1)) return false;
  std::string in = cp936;
  utf8->assign(in.size() * 3 + 4, '\0');
  char* src = in.data();
  size_t srcLeft = in.size();
  char* dst = utf8->data();
  size_t dstLeft = utf8->size();
  const size_t converted = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (converted == size_t(-1)) return false;
  utf8->resize(utf8->size() - dstLeft);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: reference_items OUTPUT\n");
    return 2;
  }
  std::string utf8;
  if (!Utf8Of(ReferenceItems(), &utf8)) {
    std::fprintf(stderr, "reference_items: a text of the table has no UTF-8 form\n");
    return 1;
  }
  FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::fprintf(stderr, "reference_items: cannot write %s\n", argv[1]);
    return 1;
  }
  const bool written = std::fputs(u8"\uFEFF", out) >= 0 && std::fputs(utf8.c_str(), out) >= 0;
  return std::fclose(out) == 0 && written ? 0 : 1;
}

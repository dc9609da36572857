// The mouse pointer of a unit from its record's pointer block: none, a
// standard pointer by code, the program's hand, or a cursor file's bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "frame/mouse_pointer.h"
#include "services/little_endian.h"
#include "support/test_support.h"

namespace {

TemplateRecord WithPointer(const Bytes& block) {
  TemplateRecord record;
  record.mousePointer = block;
  return record;
}

Bytes Code(int32_t code) {
  Bytes block;
  for (int shift = 0; shift < 32; shift += 8) block.push_back(uint8_t(uint32_t(code) >> shift));
  return block;
}

TEST(MousePointer, CodesNameStandardPointersAndZeroNamesNone) {
  EXPECT_EQ(LoadUnitPointer(WithPointer({})).cursor, nullptr);
  EXPECT_EQ(LoadUnitPointer(WithPointer(Code(0))).cursor, nullptr);
  LoadedPointer arrow = LoadUnitPointer(WithPointer(Code(32512)));
  EXPECT_EQ(arrow.cursor, LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_FALSE(arrow.owned);
  // This test program has no hand of its own: the system's stands in.
  EXPECT_EQ(LoadUnitPointer(WithPointer(Code(32649))).cursor, LoadCursorW(nullptr, IDC_HAND));
}

TEST(MousePointer, CursorFileBytesMakeACursorOfTheirOwn) {
  std::string file;
  ASSERT_TRUE(ReadWholeFile(HostPath(TestArgument(0)), &file));
  Bytes bytes(file.begin(), file.end());
  for (bool marked : {false, true}) {
    Bytes block = marked ? Code(-1) : Bytes();
    block.insert(block.end(), bytes.begin(), bytes.end());
    LoadedPointer pointer = LoadUnitPointer(WithPointer(block));
    ASSERT_TRUE(pointer.cursor) << marked;
    EXPECT_TRUE(pointer.owned);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(HICON(pointer.cursor), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 6u);
    EXPECT_EQ(info.yHotspot, 1u);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    ReleaseUnitPointer(&pointer);
    EXPECT_EQ(pointer.cursor, nullptr);
  }
}

TEST(MousePointer, DamagedCursorFilesGiveNoPointer) {
  std::string file;
  ASSERT_TRUE(ReadWholeFile(HostPath(TestArgument(0)), &file));
  Bytes good(file.begin(), file.end());
  Bytes wrongType = good;
  wrongType[2] = 1;  // an icon file, not a cursor file
  Bytes pastTheEnd = good;
  pastTheEnd[6 + 8] = 0xFF;  // the image's byte count
  Bytes offsetOutside = good;
  offsetOutside[6 + 15] = 0x7F;  // the image's offset
  Bytes cut(good.begin(), good.begin() + 20);
  // A bitmap header that claims more rows than the image holds: Windows
  // would read past the block.
  Bytes claimsMore = good;
  const size_t imageAt = LoadLe32(&good[6 + 12]);
  StoreLe32(LoadLe32(&good[imageAt + 8]) * 4, &claimsMore[imageAt + 8]);
  for (const Bytes& damaged : {wrongType, pastTheEnd, offsetOutside, cut, claimsMore})
    EXPECT_EQ(LoadUnitPointer(WithPointer(damaged)).cursor, nullptr);
}

}  // namespace

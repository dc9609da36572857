// The one conversion between the program's code page 936 and the UTF-16 of
// the wide entry points, on any ANSI code page; and, where that code page is
// 936, that it is the conversion the ANSI entry points make there.
#include "services/wide_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/test_support.h"

namespace {

std::wstring WideOfText(const Text& text) {
  const WideText wide(text);
  return std::wstring(wide.c_str(), size_t(wide.Length()));
}

TEST(WideText, CodePage936TextBecomesItsUtf16WhateverTheAnsiCodePage) {
  const struct {
    Text text;
    std::wstring wide;
  } cases[] = {
      {"", L""},
      {"Morvane.exe", L"Morvane.exe"},
      {Gbk("卸载Morvane.exe"), L"\x5378\x8F7DMorvane.exe"},
      {Gbk("文件夹"), L"\x6587\x4EF6\x5939"},
      // A second byte that is a backslash, and the euro sign's one byte.
      {"\x81\x5C\\", L"\x4E57\\"},
      {"\x80", L"\x20AC"},
      // A NUL inside the text is a unit of its own, as every other byte.
      {Text("a\0b", 3), std::wstring(L"a\0b", 3)},
  };
  for (const auto& c : cases) EXPECT_EQ(WideOfText(c.text), c.wide) << c.text;
  // A NUL-terminated text ends at its NUL; no text at all is the empty one.
  EXPECT_EQ(WideText("ab\0c").Length(), 2);
  EXPECT_STREQ(WideText(static_cast<const char*>(nullptr)).c_str(), L"");
  EXPECT_TRUE(WideText().Empty());
}

TEST(WideText, Utf16ComesHomeAsCodePage936WithTheSystemsReplacement) {
  const struct {
    std::wstring wide;
    Text text;
  } cases[] = {
      {L"", ""},
      {L"C:\\Program Files\\zorva\\\x5378\x8F7DMorvane.exe",
       Gbk("C:\\Program Files\\zorva\\卸载Morvane.exe")},
      {L"\x4E57", "\x81\x5C"},
      // No code-page-936 form: one "?" for each unit, a surrogate too.
      {L"\xD55C\xAD6D", "??"},
      {L"a\xD83D\xDE00z", "a??z"},
      {std::wstring(L"a\0b", 3), Text("a\0b", 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextOfWide(c.wide.data(), c.wide.size()), c.text) << Cp936Of(c.wide);
    if (c.wide.find(L'\0') == std::wstring::npos) {
      EXPECT_EQ(TextOfWide(c.wide.c_str()), c.text);
    }
  }
  EXPECT_EQ(TextOfWide(nullptr), "");
}

// Every two-byte character of code page 936 there and back, in one text: the
// conversion keeps all of them, in the room it takes for them.
TEST(WideText, EveryTwoByteCharacterComesBackAsItWent) {
  Text all;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const char character[2] = {char(lead), char(trail)};
      wchar_t unit;
      if (MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, character, 2, &unit, 1) == 1)
        all.append(character, 2);
    }
  }
  ASSERT_GT(all.size(), 40000u);
  const WideText wide(all);
  EXPECT_EQ(size_t(wide.Length()) * 2, all.size());
  EXPECT_EQ(TextOfWide(wide.c_str(), size_t(wide.Length())), all);
}

TEST(WideText, RoomForWindowsToWriteAndMovesKeepTheUnits) {
  WideText room = WideText::Room(3);
  ASSERT_EQ(room.Length(), 3);
  EXPECT_STREQ(room.c_str(), L"");
  wcscpy(room.Buffer(), L"abc");
  WideText moved(std::move(room));
  EXPECT_STREQ(moved.c_str(), L"abc");
  EXPECT_TRUE(room.Empty());
  WideText other(Gbk("中"));
  other = std::move(moved);
  EXPECT_STREQ(other.c_str(), L"abc");
}

// Where the ANSI code page is 936 (the wine.* prefix, which this case has a
// run of its own in), both directions are the ANSI entry points' own: what
// a window's text is through GetWindowTextA and SetWindowTextA. Best fits
// included: "À" comes home as "à", as it does through those entry points.
TEST(WideText, OnCodePage936ItIsWhatTheAnsiEntryPointsMake) {
  ASSERT_EQ(GetACP(), 936u) << "a case for the code-page-936 prefix only";
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  for (const std::wstring& wide :
       {std::wstring(L"\x5378\x8F7DMorvane"), std::wstring(L"\x00C0\x0100\x00E9"),
        std::wstring(L"\xD55C\xAD6D"), std::wstring(L"a\xD83D\xDE00z"),
        std::wstring(L"\xFF3C\x2215\x20AC")}) {
    SetWindowTextW(window, wide.c_str());
    char ansi[64] = {};
    GetWindowTextA(window, ansi, sizeof ansi);
    EXPECT_EQ(TextOfWide(wide.c_str()), ansi) << Cp936Of(wide);
  }
  for (const Text& text : {Gbk("卸载Morvane"), Text("\x81\x5C\x80"), Gbk("文件夹")}) {
    SetWindowTextA(window, text.c_str());
    wchar_t wide[64] = {};
    GetWindowTextW(window, wide, 64);
    EXPECT_STREQ(WideText(text).c_str(), wide) << text;
  }
  DestroyWindow(window);
}

}  // namespace

// The one conversion between the program's code page 936 and the UTF-16 of
// the wide entry points, on any ANSI code page; and, where that code page is
// 936, that it is the conversion the ANSI entry points make there. Paths
// that Windows gives stay UTF-16, and become texts exactly or not at all.
#include "services/wide_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/test_support.h"
#include "texts/installation.h"

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
      {kUninstallerName, L"卸载Morvane.exe"},
      {kClassDisplayName, L"文件夹"},
      // A second byte that is a backslash (乗, 81 5C), and the euro sign's one
      // byte, 80.
      {Gbk("乗\\"), L"乗\\"},
      {Text{char(0x80)}, L"\x20AC"},
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
      {L"C:\\Program Files\\zorva\\卸载Morvane.exe",
       std::string("C:\\Program Files\\zorva\\") + kUninstallerName},
      {L"乗", Gbk("乗")},
      // No code-page-936 form: one "?" for each unit, a surrogate too.
      {L"한국", "??"},
      {L"a😀z", "a??z"},
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

// Paths: a Windows folder joined with the program's own names, and the
// texts made of them. A name that code page 936 cannot write, or writes only
// as an approximation, has no exact text; shown, it has "?" where the
// approximation would have named another user's folder.
TEST(WidePath, JoinsWindowsFoldersAndTheProgramsNamesAndRefusesApproximations) {
  const struct {
    std::wstring folder;  // as Windows gives it
    bool exact;
    Text shown;  // the text a person is shown
  } cases[] = {
      {L"C:\\users\\zhang\\Desktop\\", true, "C:\\users\\zhang\\Desktop\\"},
      {L"C:\\users\\张三\\Desktop\\", true, Gbk("C:\\users\\张三\\Desktop\\")},
      // Best fits: "Guerún Tór" and "Francois" name other folders.
      {L"C:\\users\\Gu\x00F0r\x00FAn \x00DE\x00F3r\\", false, Gbk("C:\\users\\Gu?rún ?ór\\")},
      {L"C:\\users\\Fran\x00E7ois\\", false, "C:\\users\\Fran?ois\\"},
      {L"C:\\users\\S\x00F8ren\\", false, "C:\\users\\S?ren\\"},
      {L"C:\\users\\\x0141ukasz Nguy\x1EC5n\\", false, "C:\\users\\?ukasz Nguy?n\\"},
      {L"C:\\users\\김철수\\", false, "C:\\users\\???\\"},
      {L"C:\\users\\a😀z\\", false, "C:\\users\\a??z\\"},
  };
  for (const auto& c : cases) {
    const WidePath folder = WidePath::OfUnits(c.folder.c_str());
    const WidePath link = folder + "tervilo\\" + kUninstallShortcutName + ".lnk";
    EXPECT_EQ(std::wstring(link.c_str()), c.folder + L"tervilo\\卸载Morvane.lnk");
    Text text = "untouched";
    EXPECT_EQ(TextOfPath(folder, &text), c.exact) << Cp936Of(c.folder);
    EXPECT_EQ(text, c.exact ? c.shown : "untouched") << "a failed conversion leaves the text";
    EXPECT_EQ(ShownTextOfPath(folder), c.shown);
  }
  Text empty = "x";
  EXPECT_TRUE(TextOfPath(WidePath(), &empty));
  EXPECT_EQ(empty, "");
}

TEST(WidePath, SplitsAtTheLastBackslashAndComparesAsTheFileSystemDoes) {
  // The second byte of 乗 (0x81 0x5C) is a backslash in code page 936; in
  // UTF-16 it is one unit of its own.
  const WidePath path = WidePath("C:\\Program Files\\") + Gbk("乗.exe");
  ASSERT_EQ(path.LastBackslash(), 16u);
  EXPECT_STREQ(path.Head(16).c_str(), L"C:\\Program Files");
  EXPECT_STREQ(path.Tail(17).c_str(), L"乗.exe");
  EXPECT_TRUE(path.Tail(100).Empty());
  EXPECT_EQ(path.Head(100).Length(), path.Length());
  EXPECT_EQ(WidePath("name").LastBackslash(), 4u);
  EXPECT_EQ(WidePath("C:\\dir\\").Last(), L'\\');
  EXPECT_EQ(WidePath().Last(), L'\0');

  const struct {
    const wchar_t* a;
    const wchar_t* b;
    bool same;
  } pairs[] = {
      {L"C:\\Program Files\\zorva", L"c:\\PROGRAM FILES\\Zorva", true},
      {L"C:\\users\\\x0141ukasz", L"C:\\USERS\\\x0142UKASZ", true},
      {L"C:\\users\\Gu\x00F0r\x00FAn", L"C:\\users\\Guer\x00FAn", false},
      {L"C:\\a", L"C:\\a\\", false},
      {L"", L"", true},
  };
  for (const auto& p : pairs)
    EXPECT_EQ(SamePath(WidePath::OfUnits(p.a), WidePath::OfUnits(p.b)), p.same)
        << Cp936Of(p.a) << " / " << Cp936Of(p.b);
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
       {std::wstring(L"卸载Morvane"), std::wstring(L"\x00C0\x0100\x00E9"), std::wstring(L"한국"),
        std::wstring(L"a😀z"), std::wstring(L"\uFF3C\u2215\u20AC")}) {
    SetWindowTextW(window, wide.c_str());
    char ansi[64] = {};
    GetWindowTextA(window, ansi, sizeof ansi);
    EXPECT_EQ(TextOfWide(wide.c_str()), ansi) << Cp936Of(wide);
  }
  // 乗 (81 5C) and the euro sign's byte, 80.
  for (const Text& text : {Gbk("卸载Morvane"), Gbk("乗") + Text{char(0x80)}, Gbk("文件夹")}) {
    SetWindowTextA(window, text.c_str());
    wchar_t wide[64] = {};
    GetWindowTextW(window, wide, 64);
    EXPECT_STREQ(WideText(text).c_str(), wide) << text;
  }
  DestroyWindow(window);
}

}  // namespace

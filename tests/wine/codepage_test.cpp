// The test bed itself: Wine runs with the ANSI code page 936, a
// code-page-936 file name survives the trip through the file system, Chinese
// text has a font, and every process runs in the virtual desktop.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

TEST(TestBed, AnsiCodePageIs936) { EXPECT_EQ(GetACP(), 936u); }

TEST(TestBed, Cp936FileNameComesBackByteIdentical) {
  std::string folder = MakeScratchFolder("codepage");
  // "卸载Morvane" and a character whose trail byte is 0x5C, the byte of a
  // backslash, which a byte-wise path split would cut: 榎 (98 5C).
  const std::string name = Gbk("卸载Morvane榎.exe");
  ASSERT_EQ(name.substr(0, 4), Gbk("卸载"));
  ASSERT_TRUE(WriteWholeFile(folder + "\\" + name, "x"));

  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*.exe").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_EQ(std::string(found.cFileName), name);
  RemoveTree(folder);
}

namespace {

// Chinese text needs a font with its glyphs (fonts-wqy-microhei through
// fontconfig); without one, every character draws as a box.
int CALLBACK NoteChineseFont(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<std::string*>(found) = font->lfFaceName;
  return 0;
}

}  // namespace

TEST(TestBed, AChineseFontDrawsChineseText) {
  HDC hdc = GetDC(nullptr);
  LOGFONTA wanted = {};
  wanted.lfCharSet = GB2312_CHARSET;
  std::string face;
  EnumFontFamiliesExA(hdc, &wanted, NoteChineseFont, reinterpret_cast<LPARAM>(&face), 0);
  ASSERT_FALSE(face.empty()) << "no font for code page 936";

  LOGFONTA chosen = {};
  chosen.lfHeight = -16;
  chosen.lfCharSet = GB2312_CHARSET;
  lstrcpynA(chosen.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&chosen);
  HGDIOBJ old = SelectObject(hdc, font);
  const wchar_t text[] = L"\u5378\u8f7d";  // 卸载
  WORD glyphs[2] = {};
  EXPECT_EQ(GetGlyphIndicesW(hdc, text, 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS), 2u);
  EXPECT_NE(glyphs[0], 0xFFFF) << face;
  EXPECT_NE(glyphs[1], 0xFFFF) << face;
  SelectObject(hdc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, hdc);
}

// Every process runs in the prefix's 1024 x 768 virtual desktop (SendInput
// reaches the programs only there).
TEST(TestBed, EveryProcessHasTheVirtualDesktop) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

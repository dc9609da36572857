// The common controls come on demand: before EnsureCommonControls the
// progress bar's class may be unknown; after it the class exists.
#include <windows.h>

#include <gtest/gtest.h>

#include "frame/common_controls.h"

namespace {

TEST(CommonControls, TheProgressBarClassExistsOnceEnsured) {
  ASSERT_TRUE(EnsureCommonControls());
  EXPECT_TRUE(EnsureCommonControls()) << "a second call is harmless";
  HWND bar = CreateWindowExA(0, "msctls_progress32", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(bar);
  SendMessageA(bar, 0x0401 /* PBM_SETRANGE */, 0, MAKELPARAM(0, 59));
  SendMessageA(bar, 0x0402 /* PBM_SETPOS */, 30, 0);
  EXPECT_EQ(SendMessageA(bar, 0x0408 /* PBM_GETPOS */, 0, 0), 30);
  DestroyWindow(bar);
  // Loaded from the system directory, not found on the search path.
  char path[MAX_PATH] = {}, system[MAX_PATH] = {};
  GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH);
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path, lstrlenA(system), system,
                           lstrlenA(system)),
            CSTR_EQUAL)
      << path;
  ReleaseCommonControls();
}

}  // namespace

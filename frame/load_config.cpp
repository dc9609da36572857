// The program's load configuration, the record that the loader reads before
// it resolves the program's imports. Its one setting, DependentLoadFlags
// LOAD_LIBRARY_SEARCH_SYSTEM32, makes Windows 10 1607 and later look for the
// libraries of the import table, and for those that their exports forward
// to, in the system directory alone: advapi32 forwards its CryptoAPI to
// cryptsp.dll, which is no KnownDLL, so a cryptsp.dll beside the program
// would otherwise be loaded before RestrictDllSearch runs. Earlier Windows
// ignore the field.
//
// The record ends after SecurityCookie, the size that every Windows reads
// (on x86, XP and earlier take no other); none of the later fields (the
// SafeSEH table, control-flow guard) is claimed. GNU ld 2.40 keeps the
// record but does not point the image's load configuration directory at it:
// scripts/set-load-config.py does that after the link (cmake/LoadConfig.cmake).
#include <windows.h>

#include <cstddef>

// IMAGE_LOAD_CONFIG_DIRECTORY32 and 64 up to SecurityCookie (mingw-w64's
// winnt.h still calls DependentLoadFlags Reserved1).
struct LoadConfigDirectory {
  DWORD size;
  DWORD timeDateStamp;
  WORD majorVersion;
  WORD minorVersion;
  DWORD globalFlagsClear;
  DWORD globalFlagsSet;
  DWORD criticalSectionDefaultTimeout;
  ULONG_PTR deCommitFreeBlockThreshold;
  ULONG_PTR deCommitTotalFreeThreshold;
  ULONG_PTR lockPrefixTable;
  ULONG_PTR maximumAllocationSize;
  ULONG_PTR virtualMemoryThreshold;
#ifdef _WIN64
  ULONG_PTR processAffinityMask;
  DWORD processHeapFlags;
#else
  DWORD processHeapFlags;
  ULONG_PTR processAffinityMask;
#endif
  WORD csdVersion;
  WORD dependentLoadFlags;
  ULONG_PTR editList;
  ULONG_PTR securityCookie;
};

// The offsets of the published format, which the form test reads.
static_assert(offsetof(LoadConfigDirectory, dependentLoadFlags) == (sizeof(void*) == 4 ? 54 : 78),
              "DependentLoadFlags where the loader reads it");
static_assert(sizeof(LoadConfigDirectory) == (sizeof(void*) == 4 ? 64 : 96),
              "the record ends after SecurityCookie");

constexpr LoadConfigDirectory ProgramLoadConfig() {
  LoadConfigDirectory config{};
  config.size = sizeof config;
  config.dependentLoadFlags = LOAD_LIBRARY_SEARCH_SYSTEM32;
  return config;
}

// The name by which linkers know the record (kept through --gc-sections by
// -u in cmake/LoadConfig.cmake).
extern "C" const LoadConfigDirectory _load_config_used = ProgramLoadConfig();

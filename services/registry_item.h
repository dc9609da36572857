// Registry item addresses and the stored form of a typed value: the pure
// half of the registry services, shared by both trees.
//
// An item is addressed by a root code and an item path "key\path\value".
// The path is split at its last backslash; a path that ends in a backslash
// names the key's default value, and a path without one names a value
// directly under the root key.
#pragma once

#include <cstdint>
#include <string>

#include "services/values.h"

enum class RegistryRoot : uint8_t {
  ClassesRoot,
  CurrentConfig,
  CurrentUser,
  LocalMachine,
  Users,
};

// Root codes 1 to 5 in order; every other code is the current user, so
// there is no invalid code.
RegistryRoot RootForCode(int32_t rootCode);
constexpr int32_t kClassesRoot = 1;
constexpr int32_t kLocalMachine = 4;

// The root key's name as Windows and its tools write it ("HKEY_CLASSES_ROOT").
const char* RootKeyName(RegistryRoot root);

// Splits `itemPath` at its last backslash into the key path (the text before
// it, empty for the root key itself) and the value name (the text after it,
// empty for the default value). In code page 936 the second byte of a
// two-byte character may be 0x5C, so a lead byte and the byte after it are
// stepped over together. The key path is kept as given: a leading or doubled
// backslash is Windows's to judge.
void SplitItemPath(const Text& itemPath, Text* keyPath, Text* valueName);

// Registry value types as Windows numbers them.
constexpr uint32_t kRegString = 1;  // REG_SZ
constexpr uint32_t kRegBinary = 3;  // REG_BINARY
constexpr uint32_t kRegDword = 4;   // REG_DWORD (little-endian)

struct RegData {
  uint32_t type = 0;
  std::string bytes;
};

// The registry type and bytes stored for `value`: every number becomes a
// DWORD, a Text its bytes and the terminating NUL, a byte block exactly its
// bytes. False for the types that are not stored (logical, date and time,
// unit reference, absent).
bool EncodeRegValue(const Value& value, RegData* out);

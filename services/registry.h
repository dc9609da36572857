// Registry services: each opens the key it needs, does its one operation and
// closes the key again. Every failure is a false; nothing is shown. Paths,
// names and texts are code page 936; Windows gets and gives them as UTF-16
// through the wide entry points (services/wide_text.h), so that a text
// value holds the characters the program means on any Windows.
// Items are addressed by a root code and an item path (services/registry_item.h).
#pragma once

#include <cstdint>

#include "services/registry_item.h"
#include "services/values.h"

// Stores `value` under the item (a number as REG_DWORD, a Text as REG_SZ, a
// byte block as REG_BINARY), creating every missing key on the way. The key
// is opened or created before the type is looked at, so a value of a type
// that is not stored still leaves the key behind, and the result is false.
bool WriteRegItem(int32_t rootCode, const Text& itemPath, const Value& value);

// Deletes the named value; when there is none, deletes the key named by the
// whole item path, which Windows refuses for a key that has subkeys.
bool DeleteRegItem(int32_t rootCode, const Text& itemPath);

// Whether the named value exists; its data is not read. For a path ending in
// a backslash that is the key's default value, which a key that merely
// exists does not have.
bool RegItemExists(int32_t rootCode, const Text& itemPath);

// The named string value (REG_SZ or REG_EXPAND_SZ, unexpanded) as text,
// without its terminator. False when the key or value is missing or the
// value holds no text.
bool ReadRegText(int32_t rootCode, const Text& itemPath, Text* text);

// Deletes the key `keyPath` with all its subkeys and values. True when it is
// gone, false when it was not there or could not be deleted whole.
bool DeleteRegKeyTree(int32_t rootCode, const Text& keyPath);

// Whether the key exists.
bool RegKeyExists(int32_t rootCode, const Text& keyPath);

// Deletes the key `keyPath` only while it holds nothing: no value and no
// subkey. True when it was deleted.
bool DeleteEmptyRegKey(int32_t rootCode, const Text& keyPath);

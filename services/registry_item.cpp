#include "services/registry_item.h"

#include <cstring>

namespace {

bool IsLeadByte(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }

void SetDword(uint32_t v, RegData* out) {
  const char bytes[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
  out->type = kRegDword;
  out->bytes.assign(bytes, 4);
}

// Truncation toward zero to 64 bits, of which the DWORD keeps the low half.
// NaN and values outside the 64-bit range have no such integer; they give
// what the processor's truncating conversion gives (0x8000000000000000),
// instead of leaving the result to chance.
uint32_t TruncatedLow32(double v) {
  constexpr double kTwo63 = 9223372036854775808.0;
  if (!(v >= -kTwo63 && v < kTwo63)) return 0;
  return uint32_t(uint64_t(int64_t(v)));
}

}  // namespace

RegistryRoot RootForCode(int32_t rootCode) {
  switch (rootCode) {
    case 1: return RegistryRoot::ClassesRoot;
    case 2: return RegistryRoot::CurrentConfig;
    case 4: return RegistryRoot::LocalMachine;
    case 5: return RegistryRoot::Users;
    default: return RegistryRoot::CurrentUser;
  }
}

void SplitItemPath(const Text& itemPath, Text* keyPath, Text* valueName) {
  // Windows sees the path up to its first NUL; so does the scan.
  const char* path = itemPath.c_str();
  const size_t length = strlen(path);
  size_t lastBackslash = length;  // none yet
  for (size_t i = 0; i < length; ++i) {
    if (IsLeadByte(path[i])) {
      // A lead byte as the last byte has no second byte: the scan ends.
      if (path[i + 1] == '\0') break;
      ++i;
    } else if (path[i] == '\\') {
      lastBackslash = i;
    }
  }
  if (lastBackslash == length) {
    keyPath->clear();
    valueName->assign(path, length);
    return;
  }
  keyPath->assign(path, lastBackslash);
  valueName->assign(path + lastBackslash + 1, length - lastBackslash - 1);
}

bool EncodeRegValue(const Value& value, RegData* out) {
  switch (value.type) {
    case ValueType::Integer: SetDword(uint32_t(value.integer), out); return true;
    case ValueType::Byte: SetDword(value.byte, out); return true;
    case ValueType::Short: SetDword(uint32_t(int32_t(value.shortInteger)), out); return true;
    case ValueType::Long: SetDword(uint32_t(uint64_t(value.longInteger)), out); return true;
    case ValueType::Float: SetDword(TruncatedLow32(value.singleFloat), out); return true;
    case ValueType::Double: SetDword(TruncatedLow32(value.doubleFloat), out); return true;
    case ValueType::Text: {
      // REG_SZ data includes the terminating NUL, so the empty text is 1 byte.
      const char* text = value.text.c_str();
      out->type = kRegString;
      out->bytes.assign(text, strlen(text) + 1);
      return true;
    }
    case ValueType::Block:
      out->type = kRegBinary;
      if (value.block.size)
        out->bytes.assign(reinterpret_cast<const char*>(value.block.data), value.block.size);
      else
        out->bytes.clear();
      return true;
    default:
      return false;
  }
}

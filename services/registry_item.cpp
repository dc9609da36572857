#include "services/registry_item.h"

#include <cstring>

#include "services/code_page.h"
#include "services/little_endian.h"

namespace {

void SetDword(uint32_t v, RegData* out) {
  uint8_t bytes[4];
  StoreLe32(v, bytes);
  out->type = kRegDword;
  out->bytes.assign(reinterpret_cast<const char*>(bytes), 4);
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

const char* RootKeyName(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case RegistryRoot::CurrentConfig:
      return "HKEY_CURRENT_CONFIG";
    case RegistryRoot::CurrentUser:
      return "HKEY_CURRENT_USER";
    case RegistryRoot::LocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case RegistryRoot::Users:
      return "HKEY_USERS";
  }
  return "";
}

RegistryRoot RootForCode(int32_t rootCode) {
  switch (rootCode) {
    case 1:
      return RegistryRoot::ClassesRoot;
    case 2:
      return RegistryRoot::CurrentConfig;
    case 4:
      return RegistryRoot::LocalMachine;
    case 5:
      return RegistryRoot::Users;
    default:
      return RegistryRoot::CurrentUser;
  }
}

void SplitItemPath(const Text& itemPath, Text* keyPath, Text* valueName) {
  // Windows sees the path up to its first NUL; so does the scan.
  const char* path = itemPath.c_str();
  const size_t length = strlen(path);
  const size_t lastBackslash = LastBackslash(path, length);
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
    case ValueType::Integer:
      SetDword(uint32_t(value.integer), out);
      return true;
    case ValueType::Byte:
      SetDword(value.byte, out);
      return true;
    case ValueType::Short:
      SetDword(uint32_t(int32_t(value.shortInteger)), out);
      return true;
    case ValueType::Long:
      SetDword(uint32_t(uint64_t(value.longInteger)), out);
      return true;
    case ValueType::Float:
      SetDword(TruncatedLow32(value.singleFloat), out);
      return true;
    case ValueType::Double:
      SetDword(TruncatedLow32(value.doubleFloat), out);
      return true;
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

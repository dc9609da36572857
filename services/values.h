// The values that the services exchange: Text, byte blocks and typed values.
// Pure code: builds for Windows and for the host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Text is a byte string in code page 936, kept NUL-terminated by std::string.
// There is no "no text": a missing text is the empty text.
using Text = std::string;

// A view of bytes that live elsewhere (constant data or the caller's buffer).
struct ByteBlock {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
};

// The stored form of a byte block, as the payload and the template hold it:
//   offset 0  u32 LE  dimension count, always 1
//   offset 4  u32 LE  N, the number of bytes that follow
//   offset 8  N bytes
constexpr size_t kStoredBlockHeader = 8;

// Reads a stored block from `available` bytes. False when the header is
// short, the dimension count is not 1 or N runs past the end.
bool ReadStoredBlock(const uint8_t* stored, size_t available, ByteBlock* out);

// Appends the stored form of `block` to `out`.
void AppendStoredBlock(ByteBlock block, std::string* out);

// The identifiers that the window template fixes: a window is 0x52xxxxxx, a
// window's own unit record 0x06xxxxxx, a child unit 0x16xxxxxx.
enum class WindowId : uint32_t {};
enum class UnitId : uint32_t {};

constexpr WindowId kNoWindow{};

// A unit of a window. Unit 0, like the identifier of the window's own
// record, is the window itself; a window identifier alone stands for it.
struct UnitRef {
  WindowId window = kNoWindow;
  UnitId unit = UnitId{};

  constexpr UnitRef() = default;
  constexpr UnitRef(WindowId windowItself) : window(windowItself) {}
  constexpr UnitRef(WindowId ofWindow, UnitId id) : window(ofWindow), unit(id) {}
};

enum class ValueType : uint8_t {
  Absent,  // an optional argument that was not given
  Integer,
  Byte,
  Short,
  Long,
  Float,
  Double,
  Logical,
  DateTime,  // days since 1899-12-30, as a double
  Text,
  Block,
  Unit,
};

// A typed value. A block value is a view: its bytes must outlive the value.
struct Value {
  ValueType type = ValueType::Absent;
  union {
    int32_t integer;
    uint8_t byte;
    int16_t shortInteger;
    int64_t longInteger;
    float singleFloat;
    double doubleFloat;
    bool logical;
    double dateTime;
    UnitRef unit;
  };
  Text text;
  ByteBlock block;

  Value() : longInteger(0) {}

  static Value Integer(int32_t v) { return Of(ValueType::Integer, &Value::integer, v); }
  static Value Byte(uint8_t v) { return Of(ValueType::Byte, &Value::byte, v); }
  static Value Short(int16_t v) { return Of(ValueType::Short, &Value::shortInteger, v); }
  static Value Long(int64_t v) { return Of(ValueType::Long, &Value::longInteger, v); }
  static Value Float(float v) { return Of(ValueType::Float, &Value::singleFloat, v); }
  static Value Double(double v) { return Of(ValueType::Double, &Value::doubleFloat, v); }
  static Value Logical(bool v) { return Of(ValueType::Logical, &Value::logical, v); }
  static Value DateTime(double v) { return Of(ValueType::DateTime, &Value::dateTime, v); }
  static Value OfText(Text v) { return Of(ValueType::Text, &Value::text, static_cast<Text&&>(v)); }
  static Value OfBlock(ByteBlock v) { return Of(ValueType::Block, &Value::block, v); }
  static Value OfUnit(UnitRef v) { return Of(ValueType::Unit, &Value::unit, v); }

  bool IsPresent() const { return type != ValueType::Absent; }

 private:
  // A value of `type` whose `member` holds `v`.
  template <typename T>
  static Value Of(ValueType type, T Value::*member, T v) {
    Value x;
    x.type = type;
    x.*member = static_cast<T&&>(v);
    return x;
  }
};

// The value converted to `type`: numbers to numbers (truncating toward
// zero), logicals to 0 or 1 and back (any number but 0 is true), numbers to
// decimal text and text to numbers (its leading number, else 0); a block or
// unit reference from anything else is empty. Absent converts to nothing.
Value ConvertValue(const Value& value, ValueType type);

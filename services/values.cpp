#include "services/values.h"

#include <cstring>

#include "services/little_endian.h"
#include "services/number_text.h"

namespace {

void AppendU32(uint32_t v, std::string* out) {
  uint8_t bytes[4];
  StoreLe32(v, bytes);
  out->append(reinterpret_cast<const char*>(bytes), 4);
}

// Toward zero; NaN gives 0 and values beyond the 64-bit range its ends,
// where a plain conversion would be undefined.
int64_t Truncated(double value) {
  constexpr double kTwo63 = 9223372036854775808.0;
  if (value != value) return 0;
  if (value >= kTwo63) return INT64_MAX;
  if (value < -kTwo63) return INT64_MIN;
  return int64_t(value);
}

int64_t IntegerOf(const Value& value) {
  switch (value.type) {
    case ValueType::Integer:
      return value.integer;
    case ValueType::Byte:
      return value.byte;
    case ValueType::Short:
      return value.shortInteger;
    case ValueType::Long:
      return value.longInteger;
    case ValueType::Float:
      return Truncated(value.singleFloat);
    case ValueType::Double:
      return Truncated(value.doubleFloat);
    case ValueType::DateTime:
      return Truncated(value.dateTime);
    case ValueType::Logical:
      return value.logical ? 1 : 0;
    case ValueType::Text:
      return LeadingInteger(value.text.c_str());
    default:
      return 0;
  }
}

double RealOf(const Value& value) {
  switch (value.type) {
    case ValueType::Float:
      return value.singleFloat;
    case ValueType::Double:
      return value.doubleFloat;
    case ValueType::DateTime:
      return value.dateTime;
    case ValueType::Text:
      return LeadingReal(value.text.c_str());
    default:
      return double(IntegerOf(value));
  }
}

Text TextOf(const Value& value) {
  switch (value.type) {
    case ValueType::Text:
      return value.text;
    case ValueType::Float:
      return RealText(double(value.singleFloat), 6);
    case ValueType::Double:
    case ValueType::DateTime:
      return RealText(RealOf(value), 13);
    case ValueType::Absent:
    case ValueType::Block:
    case ValueType::Unit:
      return Text();
    default:
      return DecimalText(IntegerOf(value));
  }
}

}  // namespace

bool ReadStoredBlock(const uint8_t* stored, size_t available, ByteBlock* out) {
  if (available < kStoredBlockHeader || LoadLe32(stored) != 1) return false;
  uint32_t size = LoadLe32(stored + 4);
  if (size > available - kStoredBlockHeader) return false;
  out->data = stored + kStoredBlockHeader;
  out->size = size;
  return true;
}

void AppendStoredBlock(ByteBlock block, std::string* out) {
  AppendU32(1, out);
  AppendU32(block.size, out);
  if (block.size) out->append(reinterpret_cast<const char*>(block.data), block.size);
}

Value ConvertValue(const Value& value, ValueType type) {
  if (value.type == type || type == ValueType::Absent) return value;
  switch (type) {
    case ValueType::Integer:
      return Value::Integer(int32_t(IntegerOf(value)));
    case ValueType::Byte:
      return Value::Byte(uint8_t(IntegerOf(value)));
    case ValueType::Short:
      return Value::Short(int16_t(IntegerOf(value)));
    case ValueType::Long:
      return Value::Long(IntegerOf(value));
    case ValueType::Float:
      return Value::Float(float(RealOf(value)));
    case ValueType::Double:
      return Value::Double(RealOf(value));
    case ValueType::DateTime:
      return Value::DateTime(RealOf(value));
    case ValueType::Logical:
      return Value::Logical(RealOf(value) != 0.0);
    case ValueType::Text:
      return Value::OfText(TextOf(value));
    case ValueType::Block:
      return Value::OfBlock(ByteBlock{});
    case ValueType::Unit:
      return Value::OfUnit(UnitRef{});
    case ValueType::Absent:
      return value;
  }
  return value;
}

// Makes a unit class's description from its property record: a field per
// member, and the record's codec behind void*. Each class writes its table
// once, in its own folder, as
//   const PropertyField kPicBtnFields[] = {
//       Field<&PicBtnProperties::buttonKind>("ButtonKind", PropertyForm::Integer), ...};
//   const UnitDescription kPicBtnDescription =
//       Describe<PicBtnProperties, ReadPicBtnProperties, WritePicBtnProperties,
//                ClampPicBtnProperties>("PicBtn", 0x0001002D, kPicBtnFields, kPicBtnBlockVersion);
// Pure code.
#pragma once

#include <cstddef>
#include <type_traits>

#include "frame/unit_description.h"

namespace property_fields {

template <auto Member>
struct MemberOf;
template <typename R, typename T, T R::*Member>
struct MemberOf<Member> {
  using Record = R;
  using Type = T;
};

template <auto Member>
Value Get(const void* record) {
  using R = typename MemberOf<Member>::Record;
  using T = typename MemberOf<Member>::Type;
  const T& value = static_cast<const R*>(record)->*Member;
  if constexpr (std::is_same_v<T, bool>) {
    return Value::Logical(value);
  } else if constexpr (std::is_same_v<T, int32_t> || std::is_same_v<T, uint32_t>) {
    return Value::Integer(int32_t(value));
  } else if constexpr (std::is_same_v<T, uint16_t>) {
    // One character of code page 936: its first byte low.
    Text character(1, char(value & 0xFF));
    if (value > 0xFF) character += char(value >> 8);
    return Value::OfText(character);
  } else if constexpr (std::is_same_v<T, Text>) {
    return Value::OfText(value);
  } else {
    static_assert(std::is_same_v<T, Bytes>,
                  "a property member is a number, logical, text or bytes");
    return Value::OfBlock(ViewOf(value));
  }
}

// `value` is of the declared type of the field's form.
template <auto Member>
void Set(void* record, const Value& value) {
  using R = typename MemberOf<Member>::Record;
  using T = typename MemberOf<Member>::Type;
  T& field = static_cast<R*>(record)->*Member;
  if constexpr (std::is_same_v<T, bool>) {
    field = value.type == ValueType::Logical ? value.logical : value.integer != 0;
  } else if constexpr (std::is_same_v<T, int32_t> || std::is_same_v<T, uint32_t>) {
    field = T(value.integer);
  } else if constexpr (std::is_same_v<T, uint16_t>) {
    const Text& text = value.text;
    field = text.empty()
                ? 0
                : uint16_t(uint8_t(text[0]) | (text.size() > 1 ? uint8_t(text[1]) << 8 : 0));
  } else if constexpr (std::is_same_v<T, Text>) {
    field = value.text;
  } else {
    field.assign(value.block.data, value.block.data + value.block.size);
  }
}

template <typename R>
void* NewRecord() {
  return new R();
}
template <typename R>
void DeleteRecord(void* record) {
  delete static_cast<R*>(record);
}
template <typename R, bool (*Read)(ByteBlock, R*)>
bool ReadRecord(ByteBlock block, void* record) {
  return Read(block, static_cast<R*>(record));
}
template <typename R, bool (*Write)(const R&, Bytes*)>
bool WriteRecord(const void* record, Bytes* block) {
  return Write(*static_cast<const R*>(record), block);
}
template <typename R, void (*Clamp)(R*)>
void ClampRecord(void* record) {
  Clamp(static_cast<R*>(record));
}

}  // namespace property_fields

// A property whose value lives in `Member` of the class's property record.
template <auto Member>
constexpr PropertyField Field(const char* name, PropertyForm form) {
  return PropertyField{name, form, &property_fields::Get<Member>, &property_fields::Set<Member>};
}

// A property that exists only at run time: it keeps its place in the table.
constexpr PropertyField RunTimeField(const char* name, PropertyForm form) {
  return PropertyField{name, form, nullptr, nullptr};
}

template <typename R, bool (*Read)(ByteBlock, R*), bool (*Write)(const R&, Bytes*),
          void (*Clamp)(R*), size_t N>
constexpr UnitDescription Describe(const char* name, uint32_t typeReference,
                                   const PropertyField (&fields)[N], int32_t blockVersion) {
  return UnitDescription{name,
                         typeReference,
                         fields,
                         int(N),
                         blockVersion,
                         &property_fields::NewRecord<R>,
                         &property_fields::DeleteRecord<R>,
                         &property_fields::ReadRecord<R, Read>,
                         &property_fields::WriteRecord<R, Write>,
                         &property_fields::ClampRecord<R, Clamp>};
}

// Makes a unit class's description from its property record: a field per
// member, in the order of the stored block, and the record behind void*.
// Each class writes its table once, in its own folder, as
//   using P = PicBtnProperties;
//   constexpr PropertyField kPicBtnFields[] = {
//       IntegerIn<&P::buttonKind>(kPicBtnButtonKind, "ButtonKind", 0, 1),
//       Field<&P::normalPicture>(kPicBtnNormalPicture, "NormalPicture",
//                                PropertyForm::Picture), ...};
//   const UnitDescription kPicBtnDescription =
//       Describe<P>("PicBtn", 0x0001002D, kPicBtnFields, kPicBtnBlockVersion);
// and reads and writes its blocks with frame/property_codec.h. Pure code.
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

// The member's place in a record of its class.
template <auto Member>
void* At(void* record) {
  using R = typename MemberOf<Member>::Record;
  return &(static_cast<R*>(record)->*Member);
}

template <typename T>
constexpr FieldStorage StorageOf() {
  if constexpr (std::is_same_v<T, bool>) {
    return FieldStorage::Bool;
  } else if constexpr (std::is_same_v<T, int32_t> || std::is_same_v<T, uint32_t>) {
    return FieldStorage::Int32;
  } else if constexpr (std::is_same_v<T, uint16_t>) {
    return FieldStorage::Char16;
  } else if constexpr (std::is_same_v<T, Text>) {
    return FieldStorage::Text;
  } else {
    static_assert(std::is_same_v<T, Bytes>,
                  "a property member is a number, logical, character, text or bytes");
    return FieldStorage::Bytes;
  }
}

constexpr bool FormFits(FieldStorage storage, PropertyForm form) {
  switch (storage) {
    case FieldStorage::Int32:
      return form == PropertyForm::Integer || form == PropertyForm::Colour;
    case FieldStorage::Bool:
      return form == PropertyForm::Logical;
    case FieldStorage::Char16:
      return form == PropertyForm::Char16;
    case FieldStorage::Text:
      return form == PropertyForm::Text;
    case FieldStorage::Bytes:
      return form == PropertyForm::Picture || form == PropertyForm::Font;
  }
  return false;
}

// Never defined, and not constexpr: a row whose form does not fit its
// member's type calls it, which stops the compiler at the row of a
// constexpr table (and the linker at any other).
void FormDoesNotFitTheMember();

template <typename R>
void* NewRecord() {
  return new R();
}
template <typename R>
void DeleteRecord(void* record) {
  delete static_cast<R*>(record);
}
template <typename R, void (*Clamp)(R*)>
void ClampRecord(void* record) {
  Clamp(static_cast<R*>(record));
}
template <typename R, void (*Clamp)(R*)>
constexpr void (*ClampOf())(void*) {
  if constexpr (Clamp == nullptr) {
    return nullptr;
  } else {
    return &ClampRecord<R, Clamp>;
  }
}

}  // namespace property_fields

// The property of `unitIndex` whose value lives in `Member` of the class's
// property record, stored in blocks from version `since` on.
template <auto Member>
constexpr PropertyField Field(int unitIndex, const char* name, PropertyForm form,
                              int32_t since = 1) {
  using T = typename property_fields::MemberOf<Member>::Type;
  constexpr FieldStorage storage = property_fields::StorageOf<T>();
  if (!property_fields::FormFits(storage, form)) property_fields::FormDoesNotFitTheMember();
  return PropertyField{unitIndex, name, form, storage, since, &property_fields::At<Member>};
}

// An integer property that holds one of `lowest` to `highest` (a choice, a
// count): frame/unit_description.h brings any other value to the nearer end.
template <auto Member>
constexpr PropertyField IntegerIn(int unitIndex, const char* name, int32_t lowest, int32_t highest,
                                  int32_t since = 1) {
  static_assert(std::is_same_v<typename property_fields::MemberOf<Member>::Type, int32_t>,
                "a ranged property is a signed number");
  PropertyField field = Field<Member>(unitIndex, name, PropertyForm::Integer, since);
  field.lowest = lowest;
  field.highest = highest;
  return field;
}

// A property that exists only at run time: it has a unit index and no place
// in a block.
constexpr PropertyField RunTimeField(int unitIndex, const char* name, PropertyForm form) {
  return PropertyField{unitIndex, name, form, FieldStorage::Int32, 1, nullptr};
}

// `Clamp` is the class's own rule beyond its fields' ranges, if it has one.
template <typename R, void (*Clamp)(R*) = nullptr, size_t N>
constexpr UnitDescription Describe(const char* name, uint32_t typeReference,
                                   const PropertyField (&fields)[N], int32_t blockVersion) {
  return UnitDescription{name,
                         typeReference,
                         fields,
                         int(N),
                         blockVersion,
                         &property_fields::NewRecord<R>,
                         &property_fields::DeleteRecord<R>,
                         property_fields::ClampOf<R, Clamp>()};
}

// What a unit class says about itself in pure terms: its name, the type
// reference that template records name it by, and the one table of its own
// properties, in the order of its stored block: each property's unit index
// (property index - 8), name and form, the block version that first stores
// it, and where its value lives in the class's property record. The frame
// converts values to the declared types and reads, writes and writes back
// properties through it; the property codec (frame/property_codec.h) reads
// and writes blocks over it; the template compiler and its dump name
// properties by it. Pure code: builds for Windows and for the host.
#pragma once

#include <cstdint>

#include "frame/template/byte_cursor.h"
#include "services/values.h"

// How a property is stored in a property block and given in a template
// source; the form fixes the declared type of its values.
enum class PropertyForm : uint8_t {
  Integer,  // int32, choices included                      -> Integer
  Colour,   // COLORREF; 0xFF000000 for the default or none  -> Integer
  Logical,  // int32 0 or 1                                  -> Logical
  Text,     // counted text, code page 936                   -> Text
  Picture,  // counted block of file bytes (also icons, sounds) -> Block
  Font,     // counted block: a 60-byte LOGFONTA, else the default font -> Block
  Char16,   // one character as 16 bits, first byte low     -> Text
};

ValueType DeclaredType(PropertyForm form);

// How a property record holds a field: fixed by the member's type, and with
// it the field's width in a block (frame/property_codec.h).
enum class FieldStorage : uint8_t {
  Int32,   // int32_t, or uint32_t for a colour: int32
  Bool,    // bool: int32 0 or 1
  Char16,  // uint16_t: uint16
  Text,    // Text: counted text
  Bytes,   // Bytes: counted block
};

struct PropertyField {
  int unitIndex = 0;  // property table index - 8
  const char* name = "";
  PropertyForm form = PropertyForm::Integer;
  FieldStorage storage = FieldStorage::Int32;
  // The first block version that stores the field. The fields of version 1
  // are in a block of any version; a later field is in the blocks of its
  // version and after.
  int32_t since = 1;
  // The member of a property record that holds the field; absent for a
  // property that exists only at run time (an edit box's SelText), which is
  // in no record, no block and no source.
  void* (*at)(void* record) = nullptr;
  // The values an integer property can hold; one outside is taken to the
  // nearer end, wherever it comes from (a block, the source, a handler).
  int32_t lowest = INT32_MIN;
  int32_t highest = INT32_MAX;

  bool InRecord() const { return at != nullptr; }
  // The field's value in `record`, of its declared type.
  Value Get(const void* record) const;
  // Puts `value`, of the field's declared type, into `record`.
  void Set(void* record, const Value& value) const;
};

struct UnitDescription {
  const char* name = "";                  // "window", "PicBtn", ...
  uint32_t typeReference = 0;             // library number << 16 | class number
  const PropertyField* fields = nullptr;  // in stored order
  int fieldCount = 0;
  int32_t blockVersion = 0;  // written, and the highest version read

  // The class's property record, behind void*: a new one holds the class
  // defaults.
  void* (*newRecord)() = nullptr;
  void (*deleteRecord)(void* record) = nullptr;
  // The class's own rule for values that hang together (a position within
  // the range that two other properties give), after the fields' ranges;
  // none for most classes.
  void (*clamp)(void* record) = nullptr;
};

// Brings every field of the record into its range, then applies the class's
// own rule.
void ClampProperties(const UnitDescription& description, void* record);

// The field of `unitIndex`, or nullptr outside the table.
const PropertyField* FieldAt(const UnitDescription& description, int unitIndex);
// The field of that name, or nullptr.
const PropertyField* FieldNamed(const UnitDescription& description, const char* name);

// A property record of a class, owned.
class PropertyRecord {
 public:
  explicit PropertyRecord(const UnitDescription& description)
      : description_(description), record_(description.newRecord()) {}
  ~PropertyRecord() { description_.deleteRecord(record_); }
  PropertyRecord(const PropertyRecord&) = delete;
  PropertyRecord& operator=(const PropertyRecord&) = delete;

  void* Get() const { return record_; }

 private:
  const UnitDescription& description_;
  void* record_;
};

// What a unit class says about itself in pure terms: its name, the type
// reference that template records name it by, and the one table of its own
// properties (unit index 0 = property index 8 first): each property's name,
// its form, and where its value lives in the class's property record. The
// frame converts values to the declared types and reads, writes and writes
// back properties through it; the template compiler and its dump name
// properties by it; tools, tests and fuzz targets read and write blocks of
// any class through it. Pure code: builds for Windows and for the host.
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

struct PropertyField {
  const char* name = "";
  PropertyForm form = PropertyForm::Integer;
  // The field's value in a property record, and a value (of the declared
  // type) put into it. Both are absent for a property that exists only at
  // run time (an edit box's SelText): it is in no block and no source.
  Value (*get)(const void* record) = nullptr;
  void (*set)(void* record, const Value& value) = nullptr;
};

struct UnitDescription {
  const char* name = "";       // "window", "PicBtn", ...
  uint32_t typeReference = 0;  // library number << 16 | class number
  const PropertyField* fields = nullptr;
  int fieldCount = 0;
  int32_t blockVersion = 0;  // written, and the highest version read

  // The class's property record, behind void*.
  void* (*newRecord)() = nullptr;
  void (*deleteRecord)(void* record) = nullptr;
  // Resets the record to the class defaults, then reads the block; false
  // for a version above blockVersion or a block that ends inside a field.
  bool (*read)(ByteBlock block, void* record) = nullptr;
  // Every property as a block of the current version.
  bool (*write)(const void* record, Bytes* block) = nullptr;
  // Brings every choice into its range.
  void (*clamp)(void* record) = nullptr;
};

// The field of `unitIndex`, or nullptr outside the table.
const PropertyField* FieldAt(const UnitDescription& description, int unitIndex);
// The field of that name, or nullptr.
const PropertyField* FieldNamed(const UnitDescription& description, const char* name);

// Reads `block` with the class's codec and writes all its properties back as
// a block of the current version. False when the codec refuses the block.
bool RewritePropertyBlock(const UnitDescription& description, ByteBlock block, Bytes* out);

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

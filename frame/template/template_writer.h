// Writing a window template (layout in template_format.h) from records in
// memory: the inverse of ReadTemplate. Pure code, for host tools and tests;
// the program itself only reads.
//
// Everything the records hold is written as given: identifiers, slot values,
// geometry, flags, pointer blocks, tags, bindings (their stored references;
// the resolved handlers are not looked at), property blocks and the order of
// the record bodies (TemplateWindow::bodyOrder). Reserved fields and the
// object and pointer slots are written as 0. A template read with
// ReadTemplate and written again gives the same bytes whenever the stored
// one had zero reserved fields and no gaps between its record bodies.
//
// A tool that compiles a readable source fills a Template (the unit
// classes' descriptions give the type references, the widgets' property
// codecs the property blocks) and calls WriteTemplate. Tests that need a damaged template write
// a sound one and then change bytes at the places that TemplateLayout
// reports.
#pragma once

#include <cstddef>
#include <vector>

#include "frame/template/template_records.h"

// Where the writer put the fields that tests like to damage. All offsets
// count from the first byte of the template.
struct RecordLayout {
  size_t lengthAt = 0;        // the record's int32 length L
  size_t bodyAt = 0;          // first byte of the body (lengthAt + 4)
  size_t childCountAt = 0;    // int32 K (unit records)
  size_t pointerAt = 0;       // the mouse pointer's int32 byte count
  size_t bindingCountAt = 0;  // int32 E (unit records)
  size_t propertiesAt = 0;    // first byte of the property block
  size_t endAt = 0;           // one past the body
};

struct WindowLayout {
  size_t recordAt = 0;                // the window kind, first field of the record
  size_t unitCountAt = 0;             // int32 C
  size_t tableCountAt = 0;            // the unit table's int32 byte count
  size_t identifiersAt = 0;           // the C identifiers
  size_t offsetsAt = 0;               // the C record offsets
  size_t recordsAt = 0;               // the point offsets count from
  std::vector<RecordLayout> records;  // in record order (index into records)
  size_t endAt = 0;
};

struct TemplateLayout {
  size_t indexCountAt = 0;  // the window index's int32 byte count (always 0)
  size_t slotsAt = 0;       // the first slot value
  std::vector<WindowLayout> windows;
  size_t endAt = 0;  // the template's size
};

// Writes the whole template to `out` (replacing its content). Fails, writing
// nothing, when a record cannot be stored: a terminated text (name, remark,
// tag) that holds a 0 byte, a bodyOrder that is not a permutation of the
// record indexes, or sizes beyond int32.
bool WriteTemplate(const Template& source, Bytes* out, TemplateLayout* layout = nullptr);

// Appends one unit record body (without its length) for `record`; the
// offsets in `layout` are positions in `out`, with lengthAt and bodyAt left
// alone. A menu-item record appends its stored body.
bool AppendRecordBody(const TemplateRecord& record, Bytes* out, RecordLayout* layout = nullptr);

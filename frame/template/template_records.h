// The window template in memory: what the reader produces from the stored
// bytes and what the writer turns back into them. The frame keeps these
// records in its window list and updates the common properties in them;
// the layout they come from is in template_format.h. Pure code.
#pragma once

#include <cstdint>
#include <vector>

#include "frame/template/byte_cursor.h"
#include "frame/template/template_format.h"

// The frame's record of one raised event (window, unit, event number,
// arguments, result). A handler reads its arguments from it and sets the
// result there.
struct EventRecord;
using EventHandler = void (*)(EventRecord& event);

// One program handler and the reference that stands for it in the template.
// The installer supplies the table; the reader maps every stored reference
// through it.
struct HandlerEntry {
  int32_t reference = 0;
  EventHandler handler = nullptr;
};

struct HandlerTable {
  const HandlerEntry* entries = nullptr;
  size_t count = 0;
};

struct Binding {
  int32_t event = 0;
  int32_t reference = kNoHandlerReference;  // as stored
  EventHandler handler = nullptr;           // resolved; nullptr = no handler
};

enum class RecordKind : uint8_t {
  Unit,
  MenuItem,  // kept as stored, see template_format.h
};

struct TemplateRecord {
  int32_t identifier = 0;
  RecordKind kind = RecordKind::Unit;

  // Unit records only.
  int32_t typeReference = 0;
  int32_t eventLink = 0;
  Text name;
  Text remark;
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t parent = 0;
  std::vector<int32_t> children;
  Bytes mousePointer;  // the counted block's bytes; see MousePointerOf
  Text tag;
  uint32_t flags = 0;  // kUnitVisible, kUnitDisabled, kUnitTabStop
  std::vector<Binding> bindings;
  Bytes properties;  // the class's property block

  // Menu-item records only: the whole stored body.
  Bytes menuItemBody;
};

struct TemplateWindow {
  int32_t identifier = 0;
  int32_t kind = 0;
  int32_t codeReference = 0;
  Text name;
  Text remark;
  // records[0] is the window's own unit; the rest are its units in template
  // order.
  std::vector<TemplateRecord> records;

  // How the window was stored, kept so that a template read and written again
  // comes out the same; the loader uses neither.
  int32_t storedSlot = 0;  // the index's slot value for this window
  // The order in which the record bodies lie in the unit table, as indexes
  // into `records`; empty means record order.
  std::vector<uint32_t> bodyOrder;
};

struct Template {
  std::vector<TemplateWindow> windows;  // in index order
};

// What a unit record's mouse-pointer block stands for.
struct MousePointer {
  int32_t code = kNoMousePointer;  // a standard pointer code, or 0
  ByteBlock cursorFile;            // the bytes of a cursor file, or empty
};
MousePointer MousePointerOf(const TemplateRecord& record);

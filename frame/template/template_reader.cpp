#include "frame/template/template_reader.h"

#include <algorithm>
#include <utility>

#include "services/little_endian.h"

namespace {

int32_t Int32At(const uint8_t* p) { return static_cast<int32_t>(LoadLe32(p)); }

// Collects the first failure of a reading; later ones are consequences.
struct Reading {
  ByteBlock data;
  const HandlerTable* handlers = nullptr;
  TemplateReadFailure failure;

  bool Fail(TemplateError error, const uint8_t* at, int32_t window, int32_t unit) {
    failure.error = error;
    failure.offset = at ? static_cast<size_t>(at - data.data) : 0;
    failure.window = window;
    failure.unit = unit;
    return false;
  }
  // A failed cursor stays where its failing field began.
  bool Fail(TemplateError error, const ByteCursor& cursor, int32_t window, int32_t unit) {
    return Fail(error, cursor.Here(), window, unit);
  }
};

// The order of the record bodies in the table, when it is not record order.
std::vector<uint32_t> BodyOrderOf(const std::vector<int32_t>& offsets) {
  std::vector<uint32_t> order(offsets.size());
  for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](uint32_t a, uint32_t b) { return offsets[a] < offsets[b]; });
  for (uint32_t i = 0; i < order.size(); ++i)
    if (order[i] != i) return order;
  return {};
}

bool ReadUnitTable(Reading& reading, int32_t windowId, int32_t unitCount,
                   const uint8_t* unitCountAt, ByteBlock table, TemplateWindow* window) {
  // The identifier and offset arrays must fit before anything is allocated.
  // A window without its own record cannot be loaded, so 0 is refused too.
  if (unitCount < 1 || static_cast<uint32_t>(unitCount) > table.size / 8)
    return reading.Fail(TemplateError::BadCount, unitCountAt, windowId, 0);
  const uint32_t count = static_cast<uint32_t>(unitCount);
  const uint8_t* identifiers = table.data;
  const uint8_t* offsets = table.data + 4 * count;
  const uint8_t* records = table.data + 8 * count;
  const uint32_t recordsSize = table.size - 8 * count;

  // Every offset and length is checked before the records are allocated: a
  // record in memory is many times the 12 bytes that stand for it in the
  // table. The records together may claim no more bytes than the table
  // holds: otherwise many offsets to one long body would make the reader
  // copy the same bytes over and over, far beyond the size of the data.
  size_t claimed = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const int32_t identifier = Int32At(identifiers + 4 * i);
    const int32_t offset = Int32At(offsets + 4 * i);
    if (offset < 0 || recordsSize < 4 || static_cast<uint32_t>(offset) > recordsSize - 4)
      return reading.Fail(TemplateError::BadOffset, offsets + 4 * i, windowId, identifier);
    const uint8_t* lengthAt = records + offset;
    const int32_t length = Int32At(lengthAt);
    if (length < 0 || static_cast<uint32_t>(length) > recordsSize - 4 - offset)
      return reading.Fail(TemplateError::BadOffset, lengthAt, windowId, identifier);
    claimed += 4 + static_cast<size_t>(length);
    if (claimed > recordsSize)
      return reading.Fail(TemplateError::BadOffset, offsets + 4 * i, windowId, identifier);
  }

  window->records.resize(count);
  std::vector<int32_t> storedOffsets(count);
  for (uint32_t i = 0; i < count; ++i) {
    TemplateRecord& record = window->records[i];
    record.identifier = Int32At(identifiers + 4 * i);
    const int32_t offset = Int32At(offsets + 4 * i);
    storedOffsets[i] = offset;
    const uint8_t* lengthAt = records + offset;
    const ByteBlock body{lengthAt + 4, static_cast<uint32_t>(Int32At(lengthAt))};

    if (IsMenuItemIdentifier(record.identifier)) {
      record.kind = RecordKind::MenuItem;
      record.menuItemBody.assign(body.data, body.data + body.size);
      continue;
    }
    TemplateError error;
    size_t failedAt;
    if (!ReadUnitRecord(body, &record, &error, &failedAt))
      return reading.Fail(error, body.data + failedAt, windowId, record.identifier);
  }
  window->bodyOrder = BodyOrderOf(storedOffsets);
  return true;
}

bool ReadWindowRecord(Reading& reading, ByteCursor& cursor, TemplateWindow* window) {
  const int32_t windowId = window->identifier;
  int32_t unitCount = 0;
  ByteBlock table;
  cursor.ReadInt32(&window->kind);
  cursor.ReadInt32(&window->codeReference);
  cursor.ReadCountedText(&window->name);
  cursor.ReadCountedText(&window->remark);
  const uint8_t* unitCountAt = cursor.Here();
  cursor.ReadInt32(&unitCount);
  cursor.ReadCountedView(&table);
  if (!cursor.Ok()) return reading.Fail(TemplateError::Truncated, cursor, windowId, 0);
  return ReadUnitTable(reading, windowId, unitCount, unitCountAt, table, window);
}

const HandlerEntry* LookUpHandler(const HandlerTable& table, int32_t reference) {
  for (size_t i = 0; i < table.count; ++i)
    if (table.entries[i].reference == reference) return &table.entries[i];
  return nullptr;
}

bool ResolveHandlers(Reading& reading, Template* data) {
  for (TemplateWindow& window : data->windows) {
    for (TemplateRecord& record : window.records) {
      for (Binding& binding : record.bindings) {
        binding.handler = nullptr;
        if (binding.reference == kNoHandlerReference) continue;
        const HandlerEntry* entry = LookUpHandler(*reading.handlers, binding.reference);
        if (!entry)
          return reading.Fail(TemplateError::UnknownHandler, reading.data.data + reading.data.size,
                              window.identifier, record.identifier);
        binding.handler = entry->handler;
      }
    }
  }
  return true;
}

bool ReadAll(Reading& reading, Template* data) {
  if (reading.data.size == 0) return true;
  ByteCursor cursor(reading.data);
  ByteBlock index;
  if (!cursor.ReadCountedView(&index)) return reading.Fail(TemplateError::Truncated, cursor, 0, 0);
  const uint32_t windowCount = index.size / 8;
  // Every window record takes at least 24 bytes, which bounds the entries
  // worth reserving whatever the index claims.
  data->windows.reserve(std::min<size_t>(windowCount, cursor.Remaining() / 24));
  for (uint32_t i = 0; i < windowCount; ++i) {
    TemplateWindow window;
    window.identifier = Int32At(index.data + 4 * i);
    window.storedSlot = Int32At(index.data + 4 * (windowCount + i));
    if (!ReadWindowRecord(reading, cursor, &window)) return false;
    data->windows.push_back(std::move(window));
  }
  return !reading.handlers || ResolveHandlers(reading, data);
}

}  // namespace

const char* TemplateErrorName(TemplateError error) {
  switch (error) {
    case TemplateError::None:
      return "none";
    case TemplateError::Truncated:
      return "truncated";
    case TemplateError::BadCount:
      return "bad count";
    case TemplateError::BadOffset:
      return "bad record offset";
    case TemplateError::BadRecord:
      return "record runs past its length";
    case TemplateError::UnknownHandler:
      return "unknown handler reference";
  }
  return "?";
}

bool ReadTemplate(ByteBlock data, const HandlerTable* handlers, Template* out,
                  TemplateReadFailure* failure) {
  Reading reading;
  reading.data = data;
  reading.handlers = handlers;
  Template result;
  const bool ok = ReadAll(reading, &result);
  *out = ok ? std::move(result) : Template{};
  if (failure) *failure = ok ? TemplateReadFailure{} : reading.failure;
  return ok;
}

bool ReadUnitRecord(ByteBlock body, TemplateRecord* out, TemplateError* error, size_t* failedAt) {
  TemplateRecord record;
  record.identifier = out->identifier;
  ByteCursor cursor(body);
  int32_t childCount = 0;
  int32_t bindingCount = 0;
  cursor.ReadInt32(&record.typeReference);
  cursor.ReadInt32(&record.eventLink);
  cursor.Skip(16);
  cursor.ReadTerminatedText(&record.name);
  cursor.ReadTerminatedText(&record.remark);
  cursor.Skip(4);  // object slot
  cursor.ReadInt32(&record.left);
  cursor.ReadInt32(&record.top);
  cursor.ReadInt32(&record.width);
  cursor.ReadInt32(&record.height);
  cursor.Skip(4);  // pointer slot
  cursor.ReadInt32(&record.parent);
  cursor.ReadInt32(&childCount);

  TemplateError failure = TemplateError::BadRecord;
  if (cursor.Ok()) {
    if (childCount < 0 || static_cast<size_t>(childCount) > cursor.Remaining() / 4) {
      failure = TemplateError::BadCount;
      cursor.Fail();
    } else {
      record.children.resize(static_cast<size_t>(childCount));
      for (int32_t& child : record.children) cursor.ReadInt32(&child);
    }
  }
  cursor.ReadCounted(&record.mousePointer);
  cursor.ReadTerminatedText(&record.tag);
  cursor.Skip(4);
  cursor.ReadUint32(&record.flags);
  cursor.Skip(4);
  cursor.ReadInt32(&bindingCount);
  if (cursor.Ok()) {
    if (bindingCount < 0 || static_cast<size_t>(bindingCount) > cursor.Remaining() / 8) {
      failure = TemplateError::BadCount;
      cursor.Fail();
    } else {
      record.bindings.resize(static_cast<size_t>(bindingCount));
      for (Binding& binding : record.bindings) {
        cursor.ReadInt32(&binding.event);
        cursor.ReadInt32(&binding.reference);
      }
    }
  }
  cursor.Skip(kRecordReservedTail);
  if (!cursor.Ok()) {
    if (error) *error = failure;
    // A failed cursor no longer moves: the offset is where the failing field began.
    if (failedAt) *failedAt = cursor.Offset();
    return false;
  }
  record.properties.assign(cursor.Here(), cursor.Here() + cursor.Remaining());
  *out = std::move(record);
  if (error) *error = TemplateError::None;
  return true;
}

const TemplateWindow* FindWindow(const Template& data, int32_t windowId) {
  for (const TemplateWindow& window : data.windows)
    if (window.identifier == windowId) return &window;
  return nullptr;
}

TemplateWindow* FindWindow(Template& data, int32_t windowId) {
  return const_cast<TemplateWindow*>(FindWindow(static_cast<const Template&>(data), windowId));
}

const TemplateRecord* FindRecord(const TemplateWindow& window, int32_t unitId) {
  if (window.records.empty()) return nullptr;
  if (unitId == 0) return &window.records[0];
  for (const TemplateRecord& record : window.records)
    if (record.identifier == unitId) return &record;
  return nullptr;
}

TemplateRecord* FindRecord(TemplateWindow& window, int32_t unitId) {
  return const_cast<TemplateRecord*>(
      FindRecord(static_cast<const TemplateWindow&>(window), unitId));
}

const TemplateRecord* FindEventSource(const TemplateWindow& window, const TemplateRecord& record,
                                      size_t* steps) {
  size_t looked = 0;
  const TemplateRecord* current = &record;
  if (record.eventLink != 0) {
    // Each link names a record by identifier: the positions sorted by
    // identifier (template order among equal ones, FindRecord's first
    // match) make every step a binary search, and a mark per position tells
    // a record already passed. Searching the records at each step, and the
    // chain so far for the repeat, would cost the cube of the record count.
    const std::vector<TemplateRecord>& records = window.records;
    std::vector<uint32_t> byIdentifier(records.size());
    for (uint32_t i = 0; i < byIdentifier.size(); ++i) byIdentifier[i] = i;
    std::stable_sort(byIdentifier.begin(), byIdentifier.end(), [&](uint32_t a, uint32_t b) {
      ++looked;
      return records[a].identifier < records[b].identifier;
    });
    std::vector<bool> passed(records.size());
    const TemplateRecord* first = records.data();
    if (!records.empty() && current >= first && current < first + records.size())
      passed[static_cast<size_t>(current - first)] = true;
    while (current->eventLink != 0) {
      const int32_t link = current->eventLink;
      const auto found = std::lower_bound(byIdentifier.begin(), byIdentifier.end(), link,
                                          [&](uint32_t position, int32_t identifier) {
                                            ++looked;
                                            return records[position].identifier < identifier;
                                          });
      ++looked;
      if (found == byIdentifier.end() || records[*found].identifier != link) break;
      const TemplateRecord& next = records[*found];
      if (next.kind != RecordKind::Unit || next.typeReference != current->typeReference ||
          passed[*found])
        break;
      passed[*found] = true;
      current = &next;
    }
  }
  if (steps) *steps = looked;
  return current;
}

const Binding* FindBinding(const TemplateWindow& window, const TemplateRecord& record,
                           int32_t event) {
  for (const Binding& binding : FindEventSource(window, record)->bindings)
    if (binding.event == event) return &binding;
  return nullptr;
}

EventHandler FindHandler(const TemplateWindow& window, const TemplateRecord& record,
                         int32_t event) {
  const Binding* binding = FindBinding(window, record, event);
  return binding ? binding->handler : nullptr;
}

MousePointer MousePointerOf(const TemplateRecord& record) {
  MousePointer pointer;
  const Bytes& block = record.mousePointer;
  if (block.size() == 4) {
    pointer.code = Int32At(block.data());
  } else if (block.size() > 4) {
    const bool marked = Int32At(block.data()) == -1;
    const size_t skip = marked ? 4 : 0;
    pointer.cursorFile = {block.data() + skip, static_cast<uint32_t>(block.size() - skip)};
  }
  return pointer;
}

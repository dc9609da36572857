#include "frame/template/template_writer.h"

#include <climits>
#include <utility>

namespace {

bool IsPermutation(const std::vector<uint32_t>& order, size_t count) {
  if (order.size() != count) return false;
  std::vector<bool> seen(count, false);
  for (uint32_t index : order) {
    if (index >= count || seen[index]) return false;
    seen[index] = true;
  }
  return true;
}

bool FitsInt32(size_t size) { return size <= size_t(INT32_MAX); }

bool AppendWindowRecord(const TemplateWindow& window, Bytes* out, WindowLayout* layout) {
  const size_t count = window.records.size();
  if (!window.bodyOrder.empty() && !IsPermutation(window.bodyOrder, count)) return false;
  if (!FitsInt32(count)) return false;

  layout->recordAt = out->size();
  AppendInt32(window.kind, out);
  AppendInt32(window.codeReference, out);
  if (!AppendCountedText(window.name, out) || !AppendCountedText(window.remark, out)) return false;
  layout->unitCountAt = out->size();
  AppendInt32(static_cast<int32_t>(count), out);
  layout->tableCountAt = out->size();
  AppendInt32(0, out);  // filled in below
  layout->identifiersAt = out->size();
  for (const TemplateRecord& record : window.records) AppendInt32(record.identifier, out);
  layout->offsetsAt = out->size();
  out->resize(out->size() + 4 * count);  // filled in as the bodies are placed
  layout->recordsAt = out->size();

  layout->records.assign(count, RecordLayout{});
  for (size_t placed = 0; placed < count; ++placed) {
    const size_t index = window.bodyOrder.empty() ? placed : window.bodyOrder[placed];
    RecordLayout& recordLayout = layout->records[index];
    const size_t lengthAt = out->size();
    if (!FitsInt32(lengthAt - layout->recordsAt)) return false;
    PatchInt32(layout->offsetsAt + 4 * index, static_cast<int32_t>(lengthAt - layout->recordsAt),
               out);
    AppendInt32(0, out);
    const size_t bodyAt = out->size();
    if (!AppendRecordBody(window.records[index], out, &recordLayout)) return false;
    if (!FitsInt32(out->size() - bodyAt)) return false;
    PatchInt32(lengthAt, static_cast<int32_t>(out->size() - bodyAt), out);
    recordLayout.lengthAt = lengthAt;
    recordLayout.bodyAt = bodyAt;
  }
  const size_t tableSize = out->size() - layout->identifiersAt;
  if (!FitsInt32(tableSize)) return false;
  PatchInt32(layout->tableCountAt, static_cast<int32_t>(tableSize), out);
  layout->endAt = out->size();
  return true;
}

}  // namespace

bool AppendRecordBody(const TemplateRecord& record, Bytes* out, RecordLayout* layout) {
  RecordLayout ignored;
  RecordLayout& at = layout ? *layout : ignored;
  const size_t start = out->size();
  if (record.kind == RecordKind::MenuItem) {
    AppendRaw(record.menuItemBody.data(), record.menuItemBody.size(), out);
    at.endAt = out->size();
    return true;
  }
  if (!FitsInt32(record.children.size()) || !FitsInt32(record.bindings.size())) return false;
  AppendInt32(record.typeReference, out);
  AppendInt32(record.eventLink, out);
  out->resize(out->size() + 16);  // reserved
  if (!AppendTerminatedText(record.name, out) || !AppendTerminatedText(record.remark, out)) {
    out->resize(start);
    return false;
  }
  AppendInt32(0, out);  // object slot
  AppendInt32(record.left, out);
  AppendInt32(record.top, out);
  AppendInt32(record.width, out);
  AppendInt32(record.height, out);
  AppendInt32(0, out);  // pointer slot
  AppendInt32(record.parent, out);
  at.childCountAt = out->size();
  AppendInt32(static_cast<int32_t>(record.children.size()), out);
  for (int32_t child : record.children) AppendInt32(child, out);
  at.pointerAt = out->size();
  if (!AppendCounted(record.mousePointer, out) || !AppendTerminatedText(record.tag, out)) {
    out->resize(start);
    return false;
  }
  AppendInt32(0, out);
  AppendUint32(record.flags, out);
  AppendInt32(0, out);
  at.bindingCountAt = out->size();
  AppendInt32(static_cast<int32_t>(record.bindings.size()), out);
  for (const Binding& binding : record.bindings) {
    AppendInt32(binding.event, out);
    AppendInt32(binding.reference, out);
  }
  out->resize(out->size() + kRecordReservedTail);
  at.propertiesAt = out->size();
  AppendRaw(record.properties.data(), record.properties.size(), out);
  at.endAt = out->size();
  return true;
}

bool WriteTemplate(const Template& source, Bytes* out, TemplateLayout* layout) {
  TemplateLayout ignored;
  TemplateLayout& at = layout ? *layout : ignored;
  at = TemplateLayout{};
  Bytes bytes;
  const size_t count = source.windows.size();
  if (count > size_t(INT32_MAX) / 8) return false;
  at.indexCountAt = 0;
  AppendInt32(static_cast<int32_t>(8 * count), &bytes);
  for (const TemplateWindow& window : source.windows) AppendInt32(window.identifier, &bytes);
  at.slotsAt = bytes.size();
  for (const TemplateWindow& window : source.windows) AppendInt32(window.storedSlot, &bytes);
  at.windows.resize(count);
  for (size_t i = 0; i < count; ++i)
    if (!AppendWindowRecord(source.windows[i], &bytes, &at.windows[i])) {
      at = TemplateLayout{};
      return false;
    }
  at.endAt = bytes.size();
  *out = std::move(bytes);
  return true;
}

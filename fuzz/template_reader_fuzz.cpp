// Fuzz target: reading a window template. Whatever the bytes, reading ends
// in a clean failure or in records that everything a loader does can walk;
// records that were read write back to a template that reads the same and
// writes back to the same bytes.
#include <cstdint>
#include <cstdlib>

#include "frame/property_codec.h"
#include "frame/template/template_reader.h"
#include "frame/template/template_writer.h"
#include "widgets/widget_set.h"

namespace {

void Handler(EventRecord&) {}

// The references of this program's handlers, and some that are not.
const HandlerEntry kHandlers[] = {
    {0, Handler},    {0x7, Handler},   {0x45, Handler},
    {0x73, Handler}, {0x192, Handler}, {0x13AC, Handler},
};

void Walk(const Template& read) {
  for (const TemplateWindow& window : read.windows) {
    if (FindWindow(read, window.identifier) == nullptr) abort();
    for (const TemplateRecord& record : window.records) {
      if (FindRecord(window, record.identifier) == nullptr) abort();
      if (record.kind != RecordKind::Unit) continue;
      for (const Binding& binding : record.bindings) FindHandler(window, record, binding.event);
      FindHandler(window, record, -7);
      MousePointerOf(record);
      Bytes rewritten;
      if (const UnitDescription* unitClass = FindWidgetClass(uint32_t(record.typeReference)))
        RewritePropertyBlock(*unitClass, ViewOf(record.properties), &rewritten);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  const ByteBlock bytes{data, static_cast<uint32_t>(size)};
  const HandlerTable handlers{kHandlers, sizeof kHandlers / sizeof kHandlers[0]};
  Template resolved;
  if (ReadTemplate(bytes, &handlers, &resolved)) Walk(resolved);

  Template read;
  TemplateReadFailure failure;
  if (!ReadTemplate(bytes, nullptr, &read, &failure)) {
    if (failure.error == TemplateError::None || failure.offset > size) abort();
    return 0;
  }
  Walk(read);
  Bytes once;
  if (!WriteTemplate(read, &once)) abort();
  Template again;
  if (!ReadTemplate(ViewOf(once), nullptr, &again)) abort();
  Bytes twice;
  if (!WriteTemplate(again, &twice) || twice != once) abort();
  return 0;
}

#include "tests/wine/frame/test_records.h"

#include <utility>

TemplateRecord UnitRecord(uint32_t identifier, uint32_t type, int left, int top, int width,
                          int height, uint32_t flags, Bytes properties) {
  TemplateRecord record;
  record.identifier = int32_t(identifier);
  record.typeReference = int32_t(type);
  record.left = left;
  record.top = top;
  record.width = width;
  record.height = height;
  record.flags = flags;
  record.properties = std::move(properties);
  return record;
}

void Bind(TemplateRecord* record, int32_t event, int32_t reference) {
  Binding binding;
  binding.event = event;
  binding.reference = reference;
  record->bindings.push_back(binding);
}

// The records of the test templates that the scenario programs and the unit
// host build: a unit at its place, with its flags and its property block,
// and its events bound to handlers by their references.
#pragma once

#include <cstdint>

#include "frame/template/template_format.h"
#include "frame/template/template_records.h"

TemplateRecord UnitRecord(uint32_t identifier, uint32_t type, int left, int top, int width,
                          int height, uint32_t flags, Bytes properties = Bytes());
// Binds `event` of the record to the handler of `reference`.
void Bind(TemplateRecord* record, int32_t event, int32_t reference);

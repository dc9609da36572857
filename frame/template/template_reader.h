// Reading the window template (layout in template_format.h) into records,
// and the look-ups the frame makes in them: a window by identifier, a unit
// record by identifier, the handler bound to an event. Pure code.
//
// Reading never trusts a count: every count and offset is checked against
// the bytes that remain before it is used, so a damaged template ends in a
// failure (with the place and the reason), never in a read outside the data
// or an allocation larger than the data.
#pragma once

#include <cstddef>
#include <cstdint>

#include "frame/template/template_records.h"

enum class TemplateError : uint8_t {
  None,
  Truncated,       // a field or a counted block runs past the end of its data
  BadCount,        // a unit, child or binding count is negative, or too large
                   // for the bytes that hold it
  BadOffset,       // a record offset or length points outside the unit table,
                   // or the records claim more bytes than the table holds
  BadRecord,       // a record's fields run past its length
  UnknownHandler,  // a handler reference the handler table does not hold
};

struct TemplateReadFailure {
  TemplateError error = TemplateError::None;
  size_t offset = 0;   // where in the template reading stopped
  int32_t window = 0;  // the window being read, 0 before the first
  int32_t unit = 0;    // the record being read, 0 outside records
};

const char* TemplateErrorName(TemplateError error);

// Reads the whole template. A template of size 0 gives no windows. With
// `handlers`, every binding's reference is resolved through the table
// (kNoHandlerReference to no handler; a reference the table lacks fails
// the reading); without it (tools that only show a template), bindings keep
// their stored references and no handler. On failure `out` is left empty
// and `failure` (if given) says why.
bool ReadTemplate(ByteBlock data, const HandlerTable* handlers, Template* out,
                  TemplateReadFailure* failure = nullptr);

// Reads one unit record body (the L bytes after its length) into `out`,
// which keeps `identifier`. On failure `*failedAt` (if given) is the offset
// in the body where reading stopped.
bool ReadUnitRecord(ByteBlock body, TemplateRecord* out, TemplateError* error = nullptr,
                    size_t* failedAt = nullptr);

// The window of that identifier, or nullptr.
const TemplateWindow* FindWindow(const Template& data, int32_t windowId);
TemplateWindow* FindWindow(Template& data, int32_t windowId);

// The record of that unit identifier (first match in template order), or
// nullptr. Unit 0 stands for the window's own record.
const TemplateRecord* FindRecord(const TemplateWindow& window, int32_t unitId);
TemplateRecord* FindRecord(TemplateWindow& window, int32_t unitId);

// The handler bound to `event` for `record` (a record of `window`). The
// record's event link is followed while it names another unit of the window
// with the same type reference; a link that leads back to a record already
// passed ends the chain at the last record before the repeat. Among that
// record's bindings the first for the event decides: nullptr when there is
// none, or when it binds no handler.
EventHandler FindHandler(const TemplateWindow& window, const TemplateRecord& record, int32_t event);
// The binding FindHandler decides by, or nullptr; for callers that need the
// stored reference (tools, tests).
const Binding* FindBinding(const TemplateWindow& window, const TemplateRecord& record,
                           int32_t event);
// The record whose bindings FindHandler searches: the end of the event-link
// chain. For a window of n records the walk takes O(n log n) comparisons
// whatever the chain; `steps` (if given) receives how many it made, so that
// tests can hold it to that.
const TemplateRecord* FindEventSource(const TemplateWindow& window, const TemplateRecord& record,
                                      size_t* steps = nullptr);

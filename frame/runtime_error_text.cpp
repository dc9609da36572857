#include "frame/runtime_error_text.h"

#include "services/number_text.h"

namespace {
Text Decimal(int32_t value) { return DecimalText(value); }
}  // namespace

bool IsWindowKindIdentifier(int32_t identifier) {
  return ((uint32_t(identifier) >> 24) & 0xF) == 2;
}

Text ErrorLocationText(const ErrorLocation& location) {
  Text text = "\r\n" + Decimal(location.window) + ", " + Decimal(location.unit);
  if (IsWindowKindIdentifier(location.window)) {
    if (location.windowFound) {
      text += "\r\n\"" + location.windowName + "\"";
      if (location.unitFound)
        text += "\r\n\"" + location.unitName + "\"";
      else
        text += kUnitNotFound;
    } else {
      text += kWindowNotFound;
    }
  }
  text += "\r\n";
  return text;
}

Text RuntimeErrorText(const Text& message, int32_t code, const ErrorLocation& location) {
  Text text = kRuntimeErrorHead;
  if (code != 0) text += kCodeLabel + Decimal(code) + "\r\n";
  if (!message.empty()) text += kMessageLabel + message + "\r\n";
  text += ErrorLocationText(location);
  return text;
}

Text DllRedirectionMessage(const Text& name) {
  const Text text = kDllRedirected;
  const size_t mark = text.find("%s");
  return text.substr(0, mark) + name + text.substr(mark + 2);
}

Text AllocationFailedText(size_t size) {
  return kAllocationFailedHead + DecimalText(int64_t(size)) + kAllocationFailedTail;
}

Text ClassNotRegisteredText(const Text& className) {
  return kClassNotRegisteredHead + className + kClassNotRegisteredTail;
}

#include "support/screen_reader.h"

#include "support/test_text.h"

namespace {

VARIANT Self() {
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

// A text the object answers; empty for none, or for a failed call.
template <typename Read>
std::string TextOf(Read read) {
  BSTR text = nullptr;
  if (FAILED(read(&text)) || !text) return std::string();
  std::string result = Cp936Of(text);
  SysFreeString(text);
  return result;
}

long NumberOf(HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, VARIANT*),
              IAccessible* object) {
  VARIANT answer;
  VariantInit(&answer);
  if (FAILED((object->*read)(Self(), &answer))) return 0;
  const long number = answer.vt == VT_I4 ? answer.lVal : 0;
  VariantClear(&answer);
  return number;
}

void ReadBelow(const AccessibleRef& parent, int depth, std::vector<AccessibleItem>* items) {
  long count = 0;
  if (FAILED(parent.Get()->get_accChildCount(&count)) || count <= 0) return;
  std::vector<VARIANT> children{size_t(count)};
  long obtained = 0;
  if (FAILED(AccessibleChildren(parent.Get(), 0, count, children.data(), &obtained))) return;
  for (long i = 0; i < obtained; ++i) {
    VARIANT& child = children[size_t(i)];
    IAccessible* object = nullptr;
    if (child.vt == VT_DISPATCH && child.pdispVal)
      child.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&object));
    VariantClear(&child);
    // A simple element (a child number) has no object of its own: a unit
    // always is one.
    if (!object) continue;
    const AccessibleRef ref(object);
    items->push_back(ReadItem(ref, depth));
    ReadBelow(ref, depth + 1, items);
  }
}

struct NamedBit {
  long bit;
  const char* name;
};

const NamedBit kStates[] = {
    {STATE_SYSTEM_UNAVAILABLE, "unavailable"},
    {STATE_SYSTEM_FOCUSED, "focused"},
    {STATE_SYSTEM_PRESSED, "pressed"},
    {STATE_SYSTEM_CHECKED, "checked"},
    {STATE_SYSTEM_MIXED, "mixed"},
    {STATE_SYSTEM_READONLY, "read-only"},
    {STATE_SYSTEM_INVISIBLE, "invisible"},
    {STATE_SYSTEM_FOCUSABLE, "focusable"},
    {STATE_SYSTEM_LINKED, "linked"},
    {STATE_SYSTEM_TRAVERSED, "traversed"},
    {STATE_SYSTEM_PROTECTED, "protected"},
};

const NamedBit kRoles[] = {
    {ROLE_SYSTEM_CLIENT, "client"},
    {ROLE_SYSTEM_WINDOW, "window"},
    {ROLE_SYSTEM_PUSHBUTTON, "push button"},
    {ROLE_SYSTEM_CHECKBUTTON, "check button"},
    {ROLE_SYSTEM_LINK, "link"},
    {ROLE_SYSTEM_STATICTEXT, "static text"},
    {ROLE_SYSTEM_TEXT, "text"},
    {ROLE_SYSTEM_PROGRESSBAR, "progress bar"},
    {ROLE_SYSTEM_GRAPHIC, "graphic"},
    {ROLE_SYSTEM_DIALOG, "dialog"},
};

std::vector<HeardEvent>& Heard() {
  static std::vector<HeardEvent> events;
  return events;
}

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                      DWORD) {
  Heard().push_back(HeardEvent{event, hwnd, object, child});
}

}  // namespace

AccessibleRef::~AccessibleRef() {
  if (object_) object_->Release();
}

AccessibleRef::AccessibleRef(const AccessibleRef& other) : object_(other.object_) {
  if (object_) object_->AddRef();
}

AccessibleRef& AccessibleRef::operator=(const AccessibleRef& other) {
  if (other.object_) other.object_->AddRef();
  if (object_) object_->Release();
  object_ = other.object_;
  return *this;
}

AccessibleRef ClientObjectOf(HWND hwnd) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(hwnd, DWORD(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&object))))
    return AccessibleRef();
  return AccessibleRef(object);
}

AccessibleItem ReadItem(const AccessibleRef& ref, int depth) {
  AccessibleItem item;
  item.object = ref;
  item.depth = depth;
  IAccessible* object = ref.Get();
  if (!object) return item;
  WindowFromAccessibleObject(object, &item.window);
  item.role = NumberOf(&IAccessible::get_accRole, object);
  item.state = NumberOf(&IAccessible::get_accState, object);
  item.name = TextOf([&](BSTR* text) { return object->get_accName(Self(), text); });
  item.value = TextOf([&](BSTR* text) { return object->get_accValue(Self(), text); });
  item.action = TextOf([&](BSTR* text) { return object->get_accDefaultAction(Self(), text); });
  long left = 0, top = 0, width = 0, height = 0;
  if (SUCCEEDED(object->accLocation(&left, &top, &width, &height, Self())))
    item.location = RECT{left, top, left + width, top + height};
  object->get_accChildCount(&item.childCount);
  return item;
}

std::vector<AccessibleItem> ReadTree(const AccessibleRef& root) {
  std::vector<AccessibleItem> items;
  if (!root) return items;
  items.push_back(ReadItem(root, 0));
  ReadBelow(root, 1, &items);
  return items;
}

const AccessibleItem* FindItem(const std::vector<AccessibleItem>& items, long role,
                               const std::string& name) {
  for (const AccessibleItem& item : items)
    if (item.role == role && item.name == name) return &item;
  return nullptr;
}

HRESULT DoDefaultAction(const AccessibleItem& item) {
  if (!item.object) return E_POINTER;
  return item.object.Get()->accDoDefaultAction(Self());
}

std::string RoleName(long role) {
  for (const NamedBit& named : kRoles)
    if (named.bit == role) return named.name;
  return "role " + std::to_string(role);
}

std::string StateNames(long state) {
  std::string names;
  for (const NamedBit& named : kStates) {
    if (!(state & named.bit)) continue;
    if (!names.empty()) names += ' ';
    names += named.name;
    state &= ~named.bit;
  }
  if (state) names += (names.empty() ? "" : " ") + std::to_string(state);
  return names.empty() ? "normal" : names;
}

std::string Describe(const AccessibleItem& item) {
  std::string line =
      RoleName(item.role) + " \"" + item.name + "\" (" + StateNames(item.state) + ")";
  if (!item.action.empty()) line += " action \"" + item.action + "\"";
  if (!item.value.empty()) line += " value \"" + item.value.substr(0, 40) + "\"";
  return line;
}

WinEventLog::WinEventLog(DWORD processId, DWORD firstEvent, DWORD lastEvent) {
  Heard().clear();
  hook_ =
      SetWinEventHook(firstEvent, lastEvent, nullptr, OnEvent, processId, 0, WINEVENT_OUTOFCONTEXT);
}

WinEventLog::~WinEventLog() {
  if (hook_) UnhookWinEvent(hook_);
  Heard().clear();
}

const std::vector<HeardEvent>& WinEventLog::Events() const { return Heard(); }

std::vector<HeardEvent> WinEventLog::Of(DWORD event) const {
  std::vector<HeardEvent> events;
  for (const HeardEvent& heard : Heard())
    if (heard.event == event) events.push_back(heard);
  return events;
}

void WinEventLog::Clear() { Heard().clear(); }

bool ReadEventItem(const HeardEvent& event, AccessibleItem* item) {
  IAccessible* object = nullptr;
  VARIANT child;
  VariantInit(&child);
  if (FAILED(AccessibleObjectFromEvent(event.hwnd, DWORD(event.object), DWORD(event.child), &object,
                                       &child)) ||
      !object)
    return false;
  VariantClear(&child);
  *item = ReadItem(AccessibleRef(object));
  return true;
}

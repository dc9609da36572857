#include "widgets/common/accessible.h"

#include <cstddef>
#include <vector>

#include "services/system_library.h"
#include "services/wide_text.h"
#include "widgets/common/unit_window.h"

namespace {

// The interfaces the object answers to, written out so that the program
// links no import library for them.
constexpr IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidAccessible = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr IID kIidOleWindow = {0x00000114, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using AccessibleObjectFromWindowFn = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
using SysAllocStringLenFn = BSTR(WINAPI*)(const OLECHAR*, UINT);

// The functions of oleacc and oleaut32 that the objects need, looked up on
// the first request. Both libraries stay loaded: clients may hold objects
// until the program ends.
struct AccessibilityLibrary {
  bool loaded = false;
  LresultFromObjectFn lresultFromObject = nullptr;
  AccessibleObjectFromWindowFn objectFromWindow = nullptr;
  SysAllocStringLenFn allocString = nullptr;
  bool Usable() const { return lresultFromObject && objectFromWindow && allocString; }
};

const AccessibilityLibrary& Library() {
  static AccessibilityLibrary library;
  if (!library.loaded) {
    library.loaded = true;
    HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
    HMODULE oleaut = LoadSystemLibrary("oleaut32.dll");
    library.lresultFromObject = OptionalFunction<LresultFromObjectFn>(oleacc, "LresultFromObject");
    library.objectFromWindow =
        OptionalFunction<AccessibleObjectFromWindowFn>(oleacc, "AccessibleObjectFromWindow");
    library.allocString = OptionalFunction<SysAllocStringLenFn>(oleaut, "SysAllocStringLen");
  }
  return library;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A text for the client; an empty text is none (S_FALSE, no string).
HRESULT AnswerText(const Text& text, BSTR* out) {
  if (text.empty()) return S_FALSE;
  const WideText wide(text);
  *out = Library().allocString(wide.c_str(), UINT(wide.Length()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

std::vector<HWND> ChildWindows(HWND hwnd) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

// The client object of a window: ours for a unit, the system's for any
// other.
HRESULT ClientObjectOf(HWND hwnd, IDispatch** out) {
  return Library().objectFromWindow(hwnd, DWORD(OBJID_CLIENT), kIidDispatch,
                                    reinterpret_cast<void**>(out));
}

HRESULT AnswerObjectOf(HWND hwnd, VARIANT* out) {
  IDispatch* object = nullptr;
  const HRESULT result = ClientObjectOf(hwnd, &object);
  if (FAILED(result) || !object) return FAILED(result) ? result : S_FALSE;
  out->vt = VT_DISPATCH;
  out->pdispVal = object;
  return S_OK;
}

// Whether `outer` holds all of `inner`.
bool Holds(const RECT& outer, const RECT& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

bool EnabledAllTheWay(HWND hwnd) {
  for (HWND window = hwnd; window; window = GetParent(window)) {
    if (!IsWindowEnabled(window)) return false;
    if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) break;
  }
  return true;
}

// The unit's object. It holds the unit's window and the link in its state
// only while the window lives (EndObject lets go of both), and reads every
// answer from the window as it is at the call.
// The object also tells its window (IOleWindow), as the system's do: how a
// client finds the window of an object without walking up to it.
class UnitAccessible final : public IAccessible, public IOleWindow {
 public:
  UnitAccessible(HWND hwnd, const AccessibleFacts& facts, const UnitLink& link)
      : hwnd_(hwnd), facts_(&facts), link_(&link) {}

  HWND Window() const { return hwnd_; }
  void Detach() {
    hwnd_ = nullptr;
    link_ = nullptr;
  }

  // IUnknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == kIidUnknown || iid == kIidDispatch || iid == kIidAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    if (iid == kIidOleWindow) {
      *out = static_cast<IOleWindow*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return ULONG(left);
  }

  // IOleWindow.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = hwnd_;
    return hwnd_ ? S_OK : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IDispatch: clients call the interface's own methods.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible: the unit has no simple elements of its own; the units
  // inside it are objects of their own.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!hwnd_) return RPC_E_DISCONNECTED;
    // The client object's parent is its window's object, as the system has
    // it for every window.
    return Library().objectFromWindow(hwnd_, DWORD(OBJID_WINDOW), kIidDispatch,
                                      reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    if (!hwnd_) return RPC_E_DISCONNECTED;
    *count = long(ChildWindows(hwnd_).size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!hwnd_) return RPC_E_DISCONNECTED;
    const std::vector<HWND> children = ChildWindows(hwnd_);
    if (child.vt != VT_I4 || child.lVal < 1 || size_t(child.lVal) > children.size())
      return E_INVALIDARG;
    return ClientObjectOf(children[size_t(child.lVal) - 1], out);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return AnswerTextOf(child, name, [](const UnitAccessible& self) {
      if (const char* given = ProgramAccessibleName(*self.link_)) return Text(given);
      return self.facts_->name ? self.facts_->name(self.hwnd_) : Text();
    });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return AnswerTextOf(child, value, [](const UnitAccessible& self) {
      return self.facts_->value ? self.facts_->value(self.hwnd_) : Text();
    });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return AnswerTextOf(child, text, [](const UnitAccessible&) { return Text(); });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return AnswerNumberOf(child, role,
                          [](const UnitAccessible& self) { return self.facts_->role; });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return AnswerNumberOf(child, state, [](const UnitAccessible& self) { return self.State(); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return AnswerTextOf(child, help, [](const UnitAccessible&) { return Text(); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return hwnd_ ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return AnswerTextOf(child, shortcut, [](const UnitAccessible&) { return Text(); });
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    focus->vt = VT_EMPTY;
    if (!hwnd_) return RPC_E_DISCONNECTED;
    HWND focused = GetFocus();
    if (focused == hwnd_) {
      focus->vt = VT_I4;
      focus->lVal = CHILDID_SELF;
      return S_OK;
    }
    if (!focused || !IsChild(hwnd_, focused)) return S_FALSE;
    // The unit inside this one that holds the focus, or lies around it.
    while (GetParent(focused) != hwnd_) focused = GetParent(focused);
    return AnswerObjectOf(focused, focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!selection) return E_POINTER;
    selection->vt = VT_EMPTY;
    return hwnd_ ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return AnswerTextOf(child, action, [](const UnitAccessible& self) {
      const char* name = self.facts_->action ? self.facts_->action(self.hwnd_) : nullptr;
      return name ? Text(name) : Text();
    });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    if (!hwnd_) return RPC_E_DISCONNECTED;
    if (!IsSelf(child)) return E_INVALIDARG;
    if (flags != SELFLAG_TAKEFOCUS) return DISP_E_MEMBERNOTFOUND;
    if (!(State() & STATE_SYSTEM_FOCUSABLE) || !UnitUsable(hwnd_)) return S_FALSE;
    SetFocus(hwnd_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    if (!hwnd_) return RPC_E_DISCONNECTED;
    if (!IsSelf(child)) return E_INVALIDARG;
    RECT client{};
    GetClientRect(hwnd_, &client);
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    *left = client.left;
    *top = client.top;
    *width = client.right - client.left;
    *height = client.bottom - client.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    end->vt = VT_EMPTY;
    if (!hwnd_) return RPC_E_DISCONNECTED;
    if (!IsSelf(start)) return E_INVALIDARG;
    HWND to = nullptr;
    switch (direction) {
      case NAVDIR_FIRSTCHILD:
        to = ::GetWindow(hwnd_, GW_CHILD);
        break;
      case NAVDIR_LASTCHILD:
        to = ::GetWindow(hwnd_, GW_CHILD);
        if (to) to = ::GetWindow(to, GW_HWNDLAST);
        break;
      case NAVDIR_NEXT:
      case NAVDIR_PREVIOUS:
        // A window's siblings are other programs' windows: a unit's only.
        if (!(GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD)) return S_FALSE;
        to = ::GetWindow(hwnd_, direction == NAVDIR_NEXT ? GW_HWNDNEXT : GW_HWNDPREV);
        break;
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
    return to ? AnswerObjectOf(to, end) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (!hit) return E_POINTER;
    hit->vt = VT_EMPTY;
    if (!hwnd_) return RPC_E_DISCONNECTED;
    POINT point{x, y};
    ScreenToClient(hwnd_, &point);
    if (!InClient(hwnd_, point)) return S_FALSE;
    HWND under = ChildWindowFromPointEx(hwnd_, point, CWP_SKIPINVISIBLE);
    if (under && under != hwnd_) return AnswerObjectOf(under, hit);
    hit->vt = VT_I4;
    hit->lVal = CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!hwnd_) return RPC_E_DISCONNECTED;
    if (!IsSelf(child)) return E_INVALIDARG;
    if (!facts_->act || !facts_->action || !facts_->action(hwnd_)) return DISP_E_MEMBERNOTFOUND;
    // A unit that a person cannot use now does nothing, and says so.
    if (!UnitUsable(hwnd_)) return E_FAIL;
    return PostMessageW(hwnd_, unit_accessible::kMsgDefaultAction, 0, 0) ? S_OK : E_FAIL;
  }
  // Names and values are the program's to give: a client sets none.
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~UnitAccessible() = default;

  long State() const {
    long state = 0;
    if (!IsWindowVisible(hwnd_) || CoveredByASibling(hwnd_)) state |= STATE_SYSTEM_INVISIBLE;
    if (!EnabledAllTheWay(hwnd_)) state |= STATE_SYSTEM_UNAVAILABLE;
    if (facts_->takesFocus && (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_TABSTOP))
      state |= STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == hwnd_) state |= STATE_SYSTEM_FOCUSED;
    if (facts_->state) state |= facts_->state(hwnd_);
    return state;
  }

  template <typename Read>
  HRESULT AnswerNumberOf(const VARIANT& child, VARIANT* out, Read read) const {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    if (!hwnd_) return RPC_E_DISCONNECTED;
    if (!IsSelf(child)) return E_INVALIDARG;
    out->vt = VT_I4;
    out->lVal = read(*this);
    return S_OK;
  }

  template <typename Read>
  HRESULT AnswerTextOf(const VARIANT& child, BSTR* out, Read read) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!hwnd_) return RPC_E_DISCONNECTED;
    if (!IsSelf(child)) return E_INVALIDARG;
    return AnswerText(read(*this), out);
  }

  LONG references_ = 1;
  HWND hwnd_;
  const AccessibleFacts* facts_;
  const UnitLink* link_;
};

// The objects of the live units' windows that clients have asked for, one
// reference each.
std::vector<UnitAccessible*>& LiveObjects() {
  static std::vector<UnitAccessible*> objects;
  return objects;
}

}  // namespace

Text CaptionName(HWND unit) { return WindowText(unit); }

long ReadOnlyState(HWND) { return STATE_SYSTEM_READONLY; }

void PressLikeEnter(HWND unit) { SendMessageW(unit, BM_CLICK, 0, 0); }

void AnnounceStateChange(HWND unit) {
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, unit, OBJID_CLIENT, CHILDID_SELF);
}

void AnnounceValueChange(HWND unit) {
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, unit, OBJID_CLIENT, CHILDID_SELF);
}

bool UnitUsable(HWND unit) {
  return IsWindowVisible(unit) && EnabledAllTheWay(unit) && !CoveredByASibling(unit);
}

bool CoveredByASibling(HWND unit) {
  RECT shown{};
  GetWindowRect(unit, &shown);
  for (HWND level = unit; GetWindowLongPtrW(level, GWL_STYLE) & WS_CHILD;) {
    HWND parent = GetParent(level);
    if (!parent) break;
    // Only the part that the parent shows can be covered.
    RECT parentArea{};
    GetClientRect(parent, &parentArea);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&parentArea), 2);
    if (!IntersectRect(&shown, &shown, &parentArea)) return false;
    for (HWND above = GetWindow(level, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
      RECT cover{};
      if (IsWindowVisible(above) && GetWindowRect(above, &cover) && Holds(cover, shown))
        return true;
    }
    level = parent;
  }
  return false;
}

namespace unit_accessible {

bool AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, const AccessibleFacts& facts,
                     const UnitLink& link, LRESULT* answer) {
  // The object asked for is a 32-bit value, also where lParam is wider.
  if (LONG(DWORD(lParam)) != OBJID_CLIENT) return false;
  const AccessibilityLibrary& library = Library();
  if (!library.Usable()) return false;
  UnitAccessible* object = nullptr;
  for (UnitAccessible* live : LiveObjects())
    if (live->Window() == hwnd) object = live;
  if (!object) {
    object = new UnitAccessible(hwnd, facts, link);
    LiveObjects().push_back(object);
  }
  // The result is the client's reference (or an error, which the client
  // gets as such).
  *answer = library.lresultFromObject(kIidAccessible, wParam, static_cast<IAccessible*>(object));
  return true;
}

void RunDefaultAction(HWND hwnd, const AccessibleFacts& facts) {
  // The unit may have been covered, hidden or disabled since the request.
  if (facts.act && UnitUsable(hwnd)) facts.act(hwnd);
}

void EndObject(HWND hwnd) {
  std::vector<UnitAccessible*>& objects = LiveObjects();
  for (size_t i = 0; i < objects.size(); ++i) {
    UnitAccessible* object = objects[i];
    if (object->Window() != hwnd) continue;
    objects.erase(objects.begin() + std::ptrdiff_t(i));
    object->Detach();
    // Clients' proxies let go of it: their calls fail from here on.
    CoDisconnectObject(static_cast<IAccessible*>(object), 0);
    object->Release();
    return;
  }
}

}  // namespace unit_accessible

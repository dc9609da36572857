// The units as a screen reader reads them, in a window that the frame loads
// in this process: each class's role, name, state, value and default
// action through oleacc, what the default action does (and when it does
// nothing), the units inside a unit, and the events that tell a screen
// reader of changes. Messages are taken here as the program's own loop
// takes them, pre-translation included.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/app_state.h"
#include "frame/message_loop.h"
#include "frame/unit_properties.h"
#include "frame/window_services.h"
#include "support/screen_reader.h"
#include "support/test_support.h"
#include "texts/accessible.h"
#include "support/gui_driver.h"
#include "tests/wine/widgets/unit_host.h"
#include "widgets/check_box/check_box_properties.h"
#include "widgets/edit_box/edit_box_properties.h"
#include "widgets/hyperlinker/hyperlinker_properties.h"
#include "widgets/label/label_properties.h"
#include "widgets/pic_box/pic_box_properties.h"
#include "widgets/pic_btn/pic_btn_properties.h"
#include "widgets/process_bar/process_bar_properties.h"
#include "widgets/trans_label/trans_label_properties.h"
#include "widgets/window/window_properties.h"

namespace {

constexpr uint32_t kWindow = 0x52090001;
constexpr uint32_t kOwn = 0x06090001;
enum : uint32_t {
  kCover = 0x16090001,
  kPartial,
  kButton,
  kCheck,
  kToggle,
  kLink,
  kWebLink,
  kLabel,
  kTitle,
  kBar,
  kDisabled,
  kHidden,
  kBox,
  kInner,
  kEdit,
};
constexpr int32_t kClick = 0;
constexpr int32_t kLeftButtonDown = -1;

template <typename Properties>
TemplateRecord Record(uint32_t id, uint32_t type, RECT at, uint32_t flags,
                      const Properties& properties) {
  Bytes block;
  WriteProperties(properties, &block);
  return UnitRecord(id, type, at.left, at.top, at.right, at.bottom, flags, block);
}

LabelProperties LabelOf(const char* caption) {
  LabelProperties label;
  label.caption = caption;
  return label;
}

PicBtnProperties ButtonOf(int32_t kind) {
  PicBtnProperties button;
  button.buttonKind = kind;
  return button;
}

constexpr uint32_t kShown = kUnitVisible;
constexpr uint32_t kTabbed = kUnitVisible | kUnitTabStop;

// The window: fixed frame with a close box, and a unit of every kind. The
// cover (hidden at first) lies over the button and the check box; the
// partial cover over a corner of the toggle button. Rectangles are left,
// top, width, height.
std::vector<TemplateRecord> TestWindow() {
  WindowProperties window;
  window.caption = Gbk("测试窗口");
  window.startPosition = 0;
  std::vector<TemplateRecord> records;
  records.push_back(Record(kOwn, 0x00010001, {100, 100, 420, 320}, kShown, window));
  records.push_back(Record(kCover, 0x0001000A, {10, 10, 200, 100}, 0, LabelOf("")));
  records.push_back(Record(kPartial, 0x0001000A, {250, 25, 20, 10}, kShown, LabelOf("")));
  records.push_back(Record(kButton, 0x0001002D, {20, 20, 60, 30}, kTabbed, ButtonOf(0)));
  CheckBoxProperties check;
  check.caption = Gbk("同意");
  records.push_back(Record(kCheck, 0x0001000C, {20, 60, 100, 24}, kTabbed, check));
  records.push_back(Record(kToggle, 0x0001002D, {230, 20, 60, 30}, kShown, ButtonOf(1)));
  HyperLinkerProperties link;
  link.caption = Gbk("许可协议");
  records.push_back(Record(kLink, 0x0001001D, {20, 120, 150, 24}, kTabbed, link));
  HyperLinkerProperties web;
  web.linkKind = 1;
  web.webAddress = "http://example.invalid/";
  records.push_back(Record(kWebLink, 0x0001001D, {200, 120, 180, 24}, kShown, web));
  records.push_back(
      Record(kLabel, 0x0001000A, {20, 160, 100, 20}, kShown, LabelOf(Gbk("说明").c_str())));
  TransLabelProperties title;
  title.caption = Gbk("标题");
  records.push_back(Record(kTitle, 0x00030005, {140, 160, 100, 20}, kShown, title));
  ProcessBarProperties bar;
  bar.maximum = 59;
  records.push_back(Record(kBar, 0x00010013, {20, 200, 200, 20}, kShown, bar));
  records.push_back(
      Record(kDisabled, 0x0001002D, {240, 200, 60, 30}, kTabbed | kUnitDisabled, ButtonOf(0)));
  records.push_back(Record(kHidden, 0x0001002D, {320, 200, 60, 30}, 0, ButtonOf(0)));
  records.push_back(Record(kBox, 0x00010006, {300, 60, 90, 50}, kShown, PicBoxProperties()));
  TemplateRecord inner = Record(kInner, 0x0001002D, {10, 10, 30, 30}, kShown, ButtonOf(0));
  inner.parent = int32_t(kBox);
  records.push_back(inner);
  EditBoxProperties edit;
  edit.content = Gbk("第一行\r\n第二行");
  edit.multiLine = true;
  edit.inputMode = 1;
  records.push_back(Record(kEdit, 0x00010005, {20, 240, 200, 30}, kTabbed, edit));
  for (TemplateRecord& record : records) {
    for (uint32_t id : {kButton, kCheck, kToggle, kDisabled, kInner})
      if (uint32_t(record.identifier) == id) BindRecorder(&record, kClick);
    if (uint32_t(record.identifier) == kLink) BindRecorder(&record, kLeftButtonDown);
  }
  return records;
}

// The program's loop: pre-translation, then dispatch, until nothing waits.
void TakeMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (PreTranslate(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

class Accessible : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitialize(nullptr); }

  void SetUp() override {
    RaisedEvents().clear();
    App().accessibleNames = AccessibleNameList{};
    host_.reset(new HostedWindow(kWindow, TestWindow()));
    ASSERT_TRUE(host_->Loaded());
    TakeMessages();
  }
  void TearDown() override {
    host_.reset();
    App().accessibleNames = AccessibleNameList{};
  }

  HWND Unit(uint32_t id) const { return host_->Unit(id); }
  AccessibleItem Read(uint32_t id) const { return ReadItem(ClientObjectOf(Unit(id))); }
  AccessibleItem ReadWindow() const { return ReadItem(ClientObjectOf(host_->Window())); }

  // Activates the unit as a screen reader does, then lets the loop run.
  HRESULT Activate(uint32_t id) {
    const HRESULT result = DoDefaultAction(Read(id));
    TakeMessages();
    return result;
  }

  std::unique_ptr<HostedWindow> host_;
};

struct Reading {
  const char* what;
  uint32_t unit;
  long role;
  const char* name;    // UTF-8
  long hasState;       // every one of these bits
  long lacksState;     // none of these
  std::string action;  // code page 936; "" for none
  const char* value;
};

TEST_F(Accessible, EachClassReadsAsItsKind) {
  constexpr long kInvisible = STATE_SYSTEM_INVISIBLE;
  constexpr long kFocusable = STATE_SYSTEM_FOCUSABLE;
  constexpr long kUnavailable = STATE_SYSTEM_UNAVAILABLE;
  const Reading readings[] = {
      {"push button", kButton, ROLE_SYSTEM_PUSHBUTTON, "", kFocusable, kInvisible | kUnavailable,
       kActionPress, ""},
      {"toggle button", kToggle, ROLE_SYSTEM_PUSHBUTTON, "", 0,
       kFocusable | kInvisible | STATE_SYSTEM_PRESSED, kActionPress, ""},
      {"check box", kCheck, ROLE_SYSTEM_CHECKBUTTON, "同意", kFocusable,
       STATE_SYSTEM_CHECKED | kInvisible, kActionCheck, ""},
      {"link", kLink, ROLE_SYSTEM_LINK, "许可协议", kFocusable | STATE_SYSTEM_LINKED,
       STATE_SYSTEM_TRAVERSED, kActionOpen, ""},
      {"link without a caption", kWebLink, ROLE_SYSTEM_LINK, "http://example.invalid/",
       STATE_SYSTEM_LINKED, kFocusable, kActionOpen, "http://example.invalid/"},
      {"label", kLabel, ROLE_SYSTEM_STATICTEXT, "说明", STATE_SYSTEM_READONLY, kFocusable, "", ""},
      {"transparent label", kTitle, ROLE_SYSTEM_STATICTEXT, "标题", STATE_SYSTEM_READONLY,
       kFocusable, "", ""},
      {"progress bar", kBar, ROLE_SYSTEM_PROGRESSBAR, "", STATE_SYSTEM_READONLY, kInvisible, "",
       "0%"},
      {"disabled button", kDisabled, ROLE_SYSTEM_PUSHBUTTON, "", kUnavailable, kInvisible,
       kActionPress, ""},
      {"hidden button", kHidden, ROLE_SYSTEM_PUSHBUTTON, "", kInvisible, 0, kActionPress, ""},
      {"picture box", kBox, ROLE_SYSTEM_GRAPHIC, "", 0, kInvisible | kFocusable, "", ""},
      {"hidden cover", kCover, ROLE_SYSTEM_STATICTEXT, "", kInvisible, 0, "", ""},
      // The system's own object of an edit control serves the edit box.
      {"read-only edit box", kEdit, ROLE_SYSTEM_TEXT, "", STATE_SYSTEM_READONLY, kInvisible, "",
       "第一行\r\n第二行"},
  };
  for (const Reading& reading : readings) {
    SCOPED_TRACE(reading.what);
    const AccessibleItem item = Read(reading.unit);
    ASSERT_TRUE(item.object);
    EXPECT_EQ(RoleName(item.role), RoleName(reading.role));
    EXPECT_EQ(item.name, Gbk(reading.name));
    EXPECT_EQ(item.state & reading.hasState, reading.hasState) << StateNames(item.state);
    EXPECT_EQ(item.state & reading.lacksState, 0) << StateNames(item.state);
    EXPECT_EQ(item.action, reading.action);
    EXPECT_EQ(item.value, Gbk(reading.value));
    EXPECT_EQ(item.window, Unit(reading.unit));
  }
  // The window: its caption, and a close box to close it with.
  const AccessibleItem window = ReadWindow();
  EXPECT_EQ(RoleName(window.role), RoleName(ROLE_SYSTEM_CLIENT));
  EXPECT_EQ(window.name, Gbk("测试窗口"));
  EXPECT_EQ(window.action, kActionClose);
}

TEST_F(Accessible, TheProgramNamesUnitsAboveTheirCaptions) {
  const std::string buttonName = Gbk("立即安装"), boxName = Gbk("另一个名字");
  const std::string windowName = Gbk("产品");
  const AccessibleName names[] = {
      {UnitRef{WindowId{kWindow}, UnitId{kButton}}, buttonName.c_str()},
      {UnitRef{WindowId{kWindow}, UnitId{kCheck}}, boxName.c_str()},
      {WindowId{kWindow}, windowName.c_str()},
      // Another window's unit of the same identifier is no unit of this one.
      {UnitRef{WindowId{kWindow + 1}, UnitId{kLabel}}, buttonName.c_str()},
  };
  App().accessibleNames = AccessibleNameList{names, sizeof names / sizeof names[0]};
  EXPECT_EQ(Read(kButton).name, buttonName);
  EXPECT_EQ(Read(kCheck).name, boxName);
  EXPECT_EQ(ReadWindow().name, windowName);
  EXPECT_EQ(Read(kLabel).name, Gbk("说明"));
  // The window's text stays its caption.
  wchar_t text[64] = {};
  GetWindowTextW(host_->Window(), text, 64);
  EXPECT_EQ(Cp936Of(text), Gbk("测试窗口"));
}

TEST_F(Accessible, TheDefaultActionDoesWhatAClickDoesFromTheLoop) {
  // Pressed: the click event, once the loop has taken the request and not
  // within the screen reader's call, which must not wait for the handler.
  EXPECT_EQ(DoDefaultAction(Read(kButton)), S_OK);
  EXPECT_EQ(CountRaised(kButton, kClick), 0);
  TakeMessages();
  EXPECT_EQ(CountRaised(kButton, kClick), 1);

  // Toggled, and read as pressed after.
  EXPECT_EQ(Activate(kToggle), S_OK);
  EXPECT_EQ(CountRaised(kToggle, kClick), 1);
  EXPECT_TRUE(Read(kToggle).Has(STATE_SYSTEM_PRESSED));

  // Checked with its event, then the action is the other one; and back.
  EXPECT_EQ(Activate(kCheck), S_OK);
  EXPECT_EQ(CountRaised(kCheck, kClick), 1);
  EXPECT_EQ(SendMessageW(Unit(kCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(Read(kCheck).Has(STATE_SYSTEM_CHECKED));
  EXPECT_EQ(Read(kCheck).action, kActionUncheck);
  EXPECT_EQ(Activate(kCheck), S_OK);
  EXPECT_EQ(CountRaised(kCheck, kClick), 2);
  EXPECT_FALSE(Read(kCheck).Has(STATE_SYSTEM_CHECKED));

  // The link's own press: the left-button event that the mouse raises.
  EXPECT_EQ(Activate(kLink), S_OK);
  TakeMessages();
  EXPECT_EQ(CountRaised(kLink, kLeftButtonDown), 1);

  // A unit inside a unit is pressed the same way.
  EXPECT_EQ(Activate(kInner), S_OK);
  EXPECT_EQ(CountRaised(kInner, kClick), 1);

  // Without a default action: nothing to do, and said so.
  EXPECT_EQ(DoDefaultAction(Read(kLabel)), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(DoDefaultAction(Read(kBar)), DISP_E_MEMBERNOTFOUND);
}

TEST_F(Accessible, AUnitThatCannotBeUsedDoesNothing) {
  // Disabled, hidden: refused, and nothing comes of it.
  EXPECT_EQ(Activate(kDisabled), E_FAIL);
  EXPECT_EQ(Activate(kHidden), E_FAIL);
  EXPECT_EQ(CountRaised(kDisabled, kClick), 0);

  // Covered whole: invisible, and refused.
  ShowWindow(Unit(kCover), SW_SHOWNA);
  for (uint32_t covered : {kButton, kCheck}) {
    SCOPED_TRACE(covered == kButton ? "button" : "check box");
    EXPECT_TRUE(Read(covered).Has(STATE_SYSTEM_INVISIBLE)) << StateNames(Read(covered).state);
    EXPECT_EQ(Activate(covered), E_FAIL);
    EXPECT_EQ(CountRaised(covered, kClick), 0);
  }
  EXPECT_EQ(SendMessageW(Unit(kCheck), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // A cover over a corner leaves the unit in view.
  EXPECT_FALSE(Read(kToggle).Has(STATE_SYSTEM_INVISIBLE));
  EXPECT_EQ(Activate(kToggle), S_OK);
  EXPECT_EQ(CountRaised(kToggle, kClick), 1);

  // Covered between the request and the loop: still nothing.
  ShowWindow(Unit(kCover), SW_HIDE);
  EXPECT_FALSE(Read(kButton).Has(STATE_SYSTEM_INVISIBLE));
  EXPECT_EQ(DoDefaultAction(Read(kButton)), S_OK);
  ShowWindow(Unit(kCover), SW_SHOWNA);
  TakeMessages();
  EXPECT_EQ(CountRaised(kButton, kClick), 0);

  // A disabled window: none of its units can be used.
  ShowWindow(Unit(kCover), SW_HIDE);
  EnableWindow(host_->Window(), FALSE);
  EXPECT_TRUE(Read(kButton).Has(STATE_SYSTEM_UNAVAILABLE));
  EXPECT_EQ(Activate(kButton), E_FAIL);
  EnableWindow(host_->Window(), TRUE);
  EXPECT_EQ(Activate(kButton), S_OK);
  EXPECT_EQ(CountRaised(kButton, kClick), 1);
}

TEST_F(Accessible, ChildrenPlacesAndTheFocus) {
  const std::vector<AccessibleItem> tree = ReadTree(ClientObjectOf(host_->Window()));
  // The window, its units in their z-order, the unit inside the picture box
  // right after the box.
  std::vector<HWND> expected{host_->Window()};
  for (uint32_t id : {kCover, kPartial, kButton, kCheck, kToggle, kLink, kWebLink, kLabel, kTitle,
                      kBar, kDisabled, kHidden, kBox, kInner, kEdit})
    expected.push_back(Unit(id));
  std::vector<HWND> read;
  for (const AccessibleItem& item : tree) read.push_back(item.window);
  EXPECT_EQ(read, expected);
  for (const AccessibleItem& item : tree)
    EXPECT_EQ(item.depth, item.window == host_->Window() ? 0
                          : item.window == Unit(kInner)  ? 2
                                                         : 1)
        << Describe(item);

  // Where each lies on the screen: its client area.
  for (uint32_t id : {kButton, kInner, kBar}) {
    RECT client{};
    GetClientRect(Unit(id), &client);
    MapWindowPoints(Unit(id), nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT location = Read(id).location;
    EXPECT_TRUE(EqualRect(&location, &client)) << id;
  }

  // The focus: the unit has it, and the window says which.
  SetFocus(Unit(kCheck));
  TakeMessages();
  EXPECT_TRUE(Read(kCheck).Has(STATE_SYSTEM_FOCUSED));
  EXPECT_FALSE(Read(kButton).Has(STATE_SYSTEM_FOCUSED));
  VARIANT focus;
  VariantInit(&focus);
  AccessibleRef window = ClientObjectOf(host_->Window());
  ASSERT_EQ(window.Get()->get_accFocus(&focus), S_OK);
  ASSERT_EQ(focus.vt, VT_DISPATCH);
  HWND focused = nullptr;
  IAccessible* focusedObject = nullptr;
  focus.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&focusedObject));
  VariantClear(&focus);
  ASSERT_NE(focusedObject, nullptr);
  WindowFromAccessibleObject(focusedObject, &focused);
  focusedObject->Release();
  EXPECT_EQ(focused, Unit(kCheck));

  // Taking the focus the accessible way.
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  EXPECT_EQ(Read(kLink).object.Get()->accSelect(SELFLAG_TAKEFOCUS, self), S_OK);
  EXPECT_EQ(GetFocus(), Unit(kLink));

  // The unit at a point of the screen.
  const POINT centre = OnScreen(Unit(kToggle), 10, 25);
  VARIANT hit;
  VariantInit(&hit);
  ASSERT_EQ(window.Get()->accHitTest(centre.x, centre.y, &hit), S_OK);
  ASSERT_EQ(hit.vt, VT_DISPATCH);
  IAccessible* hitObject = nullptr;
  hit.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&hitObject));
  VariantClear(&hit);
  ASSERT_NE(hitObject, nullptr);
  HWND hitWindow = nullptr;
  WindowFromAccessibleObject(hitObject, &hitWindow);
  hitObject->Release();
  EXPECT_EQ(hitWindow, Unit(kToggle));
}

TEST_F(Accessible, ScreenReadersHearOfChanges) {
  WinEventLog log(GetCurrentProcessId(), EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE);
  ASSERT_TRUE(log.Listening());
  auto heardFrom = [&](DWORD event, HWND hwnd) {
    int count = 0;
    for (const HeardEvent& heard : log.Of(event))
      if (heard.hwnd == hwnd && heard.object == OBJID_CLIENT && heard.child == CHILDID_SELF)
        ++count;
    return count;
  };
  HWND check = Unit(kCheck), bar = Unit(kBar);

  // The check box's state: by a click, by the program; a set to the state
  // it has is no change.
  EXPECT_EQ(Activate(kCheck), S_OK);
  EXPECT_TRUE(WaitUntil([&] { return heardFrom(EVENT_OBJECT_STATECHANGE, check) == 1; }));
  WriteUnitProperty(UnitRef{WindowId{kWindow}, UnitId{kCheck}}, ClassProperty(kCheckBoxChecked),
                    Value::Logical(false));
  EXPECT_TRUE(WaitUntil([&] { return heardFrom(EVENT_OBJECT_STATECHANGE, check) == 2; }));
  SendMessageW(check, BM_SETCHECK, BST_UNCHECKED, 0);
  // A toggle button's pressed state, as a click toggles it.
  EXPECT_EQ(Activate(kToggle), S_OK);
  EXPECT_TRUE(WaitUntil([&] { return heardFrom(EVENT_OBJECT_STATECHANGE, Unit(kToggle)) == 1; }));
  // The progress bar's value, read where the event says.
  WriteUnitProperty(UnitRef{WindowId{kWindow}, UnitId{kBar}}, ClassProperty(kProcessBarPosition),
                    Value::Integer(30));
  EXPECT_TRUE(WaitUntil([&] { return heardFrom(EVENT_OBJECT_VALUECHANGE, bar) == 1; }));
  const std::vector<HeardEvent> values = log.Of(EVENT_OBJECT_VALUECHANGE);
  AccessibleItem changed;
  ASSERT_FALSE(values.empty());
  ASSERT_TRUE(ReadEventItem(values.back(), &changed));
  EXPECT_EQ(changed.value, "50%");
  // A focus move, as the system tells it, leads to the unit's own object.
  SetFocus(Unit(kLink));
  EXPECT_TRUE(WaitUntil([&] { return heardFrom(EVENT_OBJECT_FOCUS, Unit(kLink)) >= 1; }));
  AccessibleItem focused;
  for (const HeardEvent& heard : log.Of(EVENT_OBJECT_FOCUS))
    if (heard.hwnd == Unit(kLink)) {
      ASSERT_TRUE(ReadEventItem(heard, &focused));
    }
  EXPECT_EQ(focused.name, Gbk("许可协议"));
  EXPECT_TRUE(focused.Has(STATE_SYSTEM_FOCUSED));

  // Nothing more was heard of the check box than its two changes.
  TakeMessages();
  EXPECT_EQ(heardFrom(EVENT_OBJECT_STATECHANGE, check), 2);
}

TEST_F(Accessible, AnObjectThatOutlivesItsUnitSaysItIsGone) {
  AccessibleRef kept = ClientObjectOf(Unit(kButton));
  ASSERT_TRUE(kept);
  DestroyUnit(UnitRef{WindowId{kWindow}, UnitId{kButton}}, DestroyTiming::AtOnce);
  TakeMessages();
  ASSERT_EQ(Unit(kButton), nullptr);
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  EXPECT_EQ(kept.Get()->get_accName(self, &name), RPC_E_DISCONNECTED);
  EXPECT_EQ(name, nullptr);
  EXPECT_EQ(kept.Get()->accDoDefaultAction(self), RPC_E_DISCONNECTED);
  TakeMessages();
  EXPECT_EQ(CountRaised(kButton, kClick), 0);
}

TEST_F(Accessible, TheWindowClosesAsItsCloseBoxCloses) {
  HWND window = host_->Window();
  EXPECT_EQ(DoDefaultAction(ReadWindow()), S_OK);
  EXPECT_TRUE(IsWindow(window));
  TakeMessages();
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace

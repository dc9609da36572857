// The program that the frame's tests drive: the frame run on a template made
// with the template writer, with the test unit classes, in one of several
// scenarios. Usage: frame_scenarios.exe SCENARIO LOG_FILE
#include <windows.h>

#include <string>

#include "frame/app_state.h"
#include "frame/events.h"
#include "frame/external_functions.h"
#include "frame/idle_callbacks.h"
#include "frame/message_box.h"
#include "frame/shutdown.h"
#include "frame/startup.h"
#include "frame/template/template_writer.h"
#include "frame/unit_properties.h"
#include "frame/window_list.h"
#include "frame/window_services.h"
#include "tests/wine/frame/frame_ids.h"
#include "tests/wine/frame/scenario_log.h"
#include "tests/wine/frame/test_records.h"
#include "tests/wine/frame/test_pad/test_pad.h"
#include "tests/wine/frame/test_window/test_window.h"

namespace {

std::string g_scenario;

bool Is(const char* name) { return g_scenario == name; }

void LogEvent(EventRecord& event) {
  LogLine("event %08X %08X %d args %d %d %d %d", unsigned(event.window), unsigned(event.unit),
          int(event.event), event.argumentCount, int(event.arguments[0]), int(event.arguments[1]),
          int(event.arguments[2]));
}

void ReturnZero(EventRecord& event) {
  LogEvent(event);
  ReturnFromEvent(event, 0);
}

constexpr WindowId kStartWindowId{kStartWindow};
constexpr WindowId kSecondWindowId{kSecondWindow};

UnitRef Unit(uint32_t window, uint32_t unit) { return UnitRef{WindowId{window}, UnitId{unit}}; }

void LogProperty(const char* what, uint32_t window, uint32_t unit, int index) {
  Value value = ReadUnitProperty(Unit(window, unit), index);
  if (value.type == ValueType::Integer)
    LogLine("%s %d", what, int(value.integer));
  else if (value.type == ValueType::Logical)
    LogLine("%s %s", what, value.logical ? "true" : "false");
  else if (value.type == ValueType::Text)
    LogLine("%s '%s'", what, value.text.c_str());
  else
    LogLine("%s <type %d>", what, int(value.type));
}

HWND UnitWindow(uint32_t window, uint32_t unit) { return FindUnitWindow(Unit(window, unit)); }

void WriteProperty(uint32_t window, uint32_t unit, int index, const Value& value) {
  WriteUnitProperty(Unit(window, unit), index, value);
}

// The common properties, live and in the records of a window not loaded,
// and the re-creation of a unit that asks for it.
void ExerciseProperties() {
  HWND firstPad = UnitWindow(kStartWindow, kFirstPad),
       secondPad = UnitWindow(kStartWindow, kSecondPadOfStart);
  // Created from the last record back: the second pad first.
  LogLine("control ids %d %d", GetDlgCtrlID(firstPad), GetDlgCtrlID(secondPad));
  LogLine("first above second %d", GetWindow(firstPad, GW_HWNDNEXT) == secondPad ? 1 : 0);
  WriteProperty(kStartWindow, kFirstPad, kLeftProperty, Value::Integer(-40000));
  LogProperty("left after -40000", kStartWindow, kFirstPad, kLeftProperty);
  WriteProperty(kStartWindow, kFirstPad, kLeftProperty, Value::Integer(40000));
  LogProperty("left after 40000", kStartWindow, kFirstPad, kLeftProperty);
  WriteProperty(kStartWindow, kFirstPad, kLeftProperty, Value::Integer(25));
  WriteProperty(kStartWindow, kFirstPad, kTopProperty, Value::OfText("35"));
  LogProperty("left", kStartWindow, kFirstPad, kLeftProperty);
  LogProperty("top", kStartWindow, kFirstPad, kTopProperty);
  LogProperty("width kept", kStartWindow, kFirstPad, kWidthProperty);
  WriteProperty(kStartWindow, kFirstPad, kWidthProperty, Value::Integer(-5));
  LogProperty("width after -5", kStartWindow, kFirstPad, kWidthProperty);
  WriteProperty(kStartWindow, kFirstPad, kWidthProperty, Value::Integer(80));
  WriteProperty(kStartWindow, kFirstPad, kHeightProperty, Value::Double(44.9));
  LogProperty("width", kStartWindow, kFirstPad, kWidthProperty);
  LogProperty("height", kStartWindow, kFirstPad, kHeightProperty);
  LogProperty("left kept", kStartWindow, kFirstPad, kLeftProperty);
  WriteProperty(kStartWindow, kFirstPad, kTagProperty, Value::OfText("tagged"));
  LogProperty("tag", kStartWindow, kFirstPad, kTagProperty);
  WriteProperty(kStartWindow, kFirstPad, kVisibleProperty, Value::Logical(false));
  LogProperty("visible after false", kStartWindow, kFirstPad, kVisibleProperty);
  WriteProperty(kStartWindow, kFirstPad, kVisibleProperty, Value::Logical(true));
  WriteProperty(kStartWindow, kFirstPad, kDisabledProperty, Value::Logical(true));
  LogProperty("disabled after true", kStartWindow, kFirstPad, kDisabledProperty);

  LogProperty("unloaded left", kSecondWindow, kSecondOwn, kLeftProperty);
  WriteProperty(kSecondWindow, 0, kLeftProperty, Value::Integer(77));
  WriteProperty(kSecondWindow, kSecondPad, kVisibleProperty, Value::Logical(false));
  LogProperty("unloaded left after 77", kSecondWindow, 0, kLeftProperty);
  LogProperty("unloaded pad visible", kSecondWindow, kSecondPad, kVisibleProperty);
  LoadWindow(kSecondWindowId);
  RECT rect{};
  GetWindowRect(UnitWindow(kSecondWindow, 0), &rect);
  LogLine("second loaded at %d, pad visible %d", int(rect.left),
          IsWindowVisible(UnitWindow(kSecondWindow, kSecondPad)) ? 1 : 0);
  DestroyUnit(kSecondWindowId, DestroyTiming::AtOnce);
  LogProperty("after its end, left", kSecondWindow, 0, kLeftProperty);

  HWND before = UnitWindow(kStartWindow, kSecondPadOfStart);
  const int id = GetDlgCtrlID(before);
  WriteProperty(kStartWindow, kSecondPadOfStart, ClassProperty(0), Value::Integer(1));
  HWND after = UnitWindow(kStartWindow, kSecondPadOfStart);
  LogLine("re-created %d, old gone %d, visible %d, same id %d", after && after != before ? 1 : 0,
          IsWindow(before) ? 0 : 1, (GetWindowLongA(after, GWL_STYLE) & WS_VISIBLE) ? 1 : 0,
          GetDlgCtrlID(after) == id ? 1 : 0);
  LogLine("still below the first %d",
          GetWindow(UnitWindow(kStartWindow, kFirstPad), GW_HWNDNEXT) == after ? 1 : 0);

  // A control destroyed leaves its window's units, until the window's end.
  LoadWindow(kSecondWindowId);
  HWND pad = UnitWindow(kSecondWindow, kSecondPad);
  DestroyUnit(Unit(kSecondWindow, kSecondPad));
  LogLine("destroyed pad: window gone %d, record left %d", IsWindow(pad) ? 0 : 1,
          FindUnitRecord(FindWindowEntry(kSecondWindow), kSecondPad) ? 0 : 1);
  DestroyUnit(kSecondWindowId, DestroyTiming::AtOnce);
  LogLine("after the window's end the record is back %d",
          FindUnitRecord(FindWindowEntry(kSecondWindow), kSecondPad) ? 1 : 0);
  LogLine("sent %d",
          int(SendUnitMessage(Unit(kStartWindow, kFirstPad), int32_t(kPadSumMessage), 1, 2)));
}

// Sent to the start window, the message comes back only once the windows
// thread, done with the start, takes messages again.
DWORD WINAPI EndFromAnotherThread(void* startWindow) {
  SendMessageA(static_cast<HWND>(startWindow), WM_NULL, 0, 0);
  EndProgram(3);
}

int g_idleEvents = 0;

// Bound to the start window's idle event: wants two more, then no more.
void OnIdle(EventRecord& event) {
  ++g_idleEvents;
  LogLine("idle %d after %d ms", g_idleEvents, int(event.arguments[0]));
  ReturnFromEvent(event, g_idleEvents < 3 ? 1 : 0);
}

void LogIdleCallback(HWND, void* name) {
  LogLine("idle callback %s", static_cast<const char*>(name));
}

HWND g_firstIdleWindow = nullptr;

// Removes itself, and the first registered, which has not been called yet
// in the round.
void RemovingIdleCallback(HWND window, void* name) {
  LogIdleCallback(window, name);
  RemoveIdleCallback(window);
  RemoveIdleCallback(g_firstIdleWindow);
}

// Four idle callbacks: the start window's, one of a window already gone, the
// first pad's (which removes itself and the start window's), the second pad's.
void RegisterIdleCallbacks() {
  HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  g_firstIdleWindow = UnitWindow(kStartWindow, 0);
  RegisterIdleCallback(g_firstIdleWindow, LogIdleCallback, const_cast<char*>("first"));
  RegisterIdleCallback(gone, LogIdleCallback, const_cast<char*>("gone"));
  RegisterIdleCallback(UnitWindow(kStartWindow, kFirstPad), RemovingIdleCallback,
                       const_cast<char*>("third"));
  RegisterIdleCallback(UnitWindow(kStartWindow, kSecondPadOfStart), LogIdleCallback,
                       const_cast<char*>("last"));
}

// A call of an external function with one argument more than it takes.
void CallUnbalanced() {
  ExternalFunctionEntry entry{"kernel32", "GetCurrentProcessId"};
  FARPROC address = ResolveEntry(&entry);
  LogLine("resolved %d", address ? 1 : 0);
  CallExternal<DWORD>(address, ExternalCallSite{21, 3}, 7);
  LogLine("returned from the call");
}

// A window inside the first pad that is no unit: a plain child in its
// lower right corner.
const wchar_t kInnerClass[] = L"MorvaneTestInner";

void MakeInnerWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = HBRUSH(COLOR_WINDOWTEXT + 1);
  windowClass.lpszClassName = kInnerClass;
  RegisterClassW(&windowClass);
  HWND pad = UnitWindow(kStartWindow, kFirstPad);
  CreateWindowExW(0, kInnerClass, L"", WS_CHILD | WS_VISIBLE, kInnerLeft, kInnerTop, kInnerSize,
                  kInnerSize, pad, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Re-creates a pad by changing its Mark; logs whether a new window took the
// unit.
void RecreatePad(const char* what, uint32_t pad) {
  HWND before = UnitWindow(kStartWindow, pad);
  WriteProperty(kStartWindow, pad, ClassProperty(0), Value::Integer(1));
  HWND after = UnitWindow(kStartWindow, pad);
  LogLine("%s re-created %d, old gone %d, focus on the new %d", what,
          after && after != before ? 1 : 0, IsWindow(before) ? 0 : 1, GetFocus() == after ? 1 : 0);
}

int g_secondPadClicks = 0;

// Bound to event 0 of the start window.
void OnStartCreated(EventRecord& event) {
  LogEvent(event);
  if (Is("idle-callbacks")) RegisterIdleCallbacks();
  if (Is("stack-unbalanced")) CallUnbalanced();
  if (Is("stray-event") || Is("stray-window")) {
    SendUnitMessage(Unit(kStartWindow, kFirstPad), int32_t(kPadStrayEventMessage),
                    Is("stray-window") ? 1 : 0, 0);
  } else if (Is("silent-unit")) {
    // The second pad is of a class that raises no events; its size change does.
    WriteProperty(kStartWindow, kSecondPadOfStart, kWidthProperty, Value::Integer(90));
  } else if (Is("properties")) {
    ExerciseProperties();
  } else if (Is("out-of-memory")) {
    // More than the process can ever have.
    volatile size_t huge = 0x7FFFFFF0;
    char* block = new char[huge];
    LogLine("allocated %p", static_cast<void*>(block));
  } else if (Is("thread-end")) {
    CloseHandle(
        CreateThread(nullptr, 0, EndFromAnotherThread, UnitWindow(kStartWindow, 0), 0, nullptr));
  } else if (Is("destroy-at-once")) {
    DestroyUnit(kStartWindowId, DestroyTiming::AtOnce);
    LogLine("start destroyed at once: window alive %d",
            IsWindow(FindWindowA(nullptr, kStartCaption)) ? 1 : 0);
  } else if (Is("two-windows") || Is("restore-minimised") || Is("reload-pending")) {
    LogLine("load second %d", LoadWindow(kSecondWindowId) ? 1 : 0);
  } else if (Is("process-events-quit")) {
    PostQuitMessage(7);
    ProcessEvents();
    MSG message;
    const bool queued =
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message == WM_QUIT;
    LogLine("quit still queued %d", queued ? 1 : 0);
  } else if (Is("write-unloaded")) {
    WriteProperty(kSecondWindow, kSecondPad, ClassProperty(0), Value::Integer(1));
    LogLine("returned from the write");
  } else if (Is("recreate")) {
    RecreatePad("first", kFirstPad);
  } else if (Is("inner")) {
    MakeInnerWindow();
  }
}

// Bound to event 0 (click) of the start window's second pad.
void OnSecondPadClicked(EventRecord& event) {
  LogEvent(event);
  if (Is("destroy-twice")) {
    DestroyUnit(kStartWindowId);
    DestroyUnit(kStartWindowId);
    LogLine("after destroy: window alive %d",
            IsWindow(FindWindowA(nullptr, kStartCaption)) ? 1 : 0);
  } else if (Is("reload-pending")) {
    HWND before = UnitWindow(kSecondWindow, 0);
    DestroyUnit(kSecondWindowId);
    const bool loaded = LoadWindow(kSecondWindowId);
    HWND after = UnitWindow(kSecondWindow, 0);
    LogLine("reloaded %d, old gone %d, new one %d", loaded ? 1 : 0, IsWindow(before) ? 0 : 1,
            after && after != before && IsWindow(after) ? 1 : 0);
  } else if (Is("restore-minimised")) {
    LogLine("load second again %d", LoadWindow(kSecondWindowId) ? 1 : 0);
  } else if (Is("error-box")) {
    WriteProperty(kSecondWindow, kSecondPad, ClassProperty(0), Value::Integer(1));
  } else if (Is("modal")) {
    LogLine("modal returned %d", LoadWindow(kSecondWindowId, kNoWindow, Modality::Modal) ? 1 : 0);
  } else if (Is("recreate")) {
    // The pad has the focus: its press took it.
    if (++g_secondPadClicks == 1) RecreatePad("second", kSecondPadOfStart);
  } else if (Is("destroy-self-in-click") || Is("destroy-other-in-click")) {
    // Raised from inside the pad's own procedure, which the unit's end
    // then leaves behind.
    if (++g_secondPadClicks > 1) return;
    const bool self = Is("destroy-self-in-click");
    DestroyUnit(Unit(kStartWindow, self ? kSecondPadOfStart : kFirstPad));
    LogLine("destroyed in the click: second loaded %d, first loaded %d",
            IsUnitLoaded(Unit(kStartWindow, kSecondPadOfStart)) ? 1 : 0,
            IsUnitLoaded(Unit(kStartWindow, kFirstPad)) ? 1 : 0);
  } else if (Is("message-box")) {
    LogLine("box %d", int(ShowMessageBox(Value::Integer(42), MB_YESNO)));
    LogLine("box %d", int(ShowMessageBox(Value::Logical(true), MB_OK, Gbk("标题").c_str(),
                                         FindUnitWindow(kStartWindowId))));
  }
}

// Bound to the second pad's focus event: the pad goes while the frame is
// telling of its focus.
void OnSecondPadFocused(EventRecord& event) {
  LogEvent(event);
  DestroyUnit(Unit(kStartWindow, kSecondPadOfStart));
  LogLine("destroyed in the focus event: second loaded %d, window loaded %d",
          IsUnitLoaded(Unit(kStartWindow, kSecondPadOfStart)) ? 1 : 0,
          IsUnitLoaded(Unit(kStartWindow, 0)) ? 1 : 0);
}

// Bound to the start window's second pad's character event: 'a' becomes
// 'b', 'z' the two-byte character 中 (D6 D0), 'x' is dropped, anything else
// passes as it is.
void OnCharacter(EventRecord& event) {
  LogEvent(event);
  if (event.arguments[0] == 'a') ReturnFromEvent(event, 'b');
  if (event.arguments[0] == 'z') ReturnFromEvent(event, 0xD6D0);
  if (event.arguments[0] == 'x') ReturnFromEvent(event, 0);
}

void AppendInt32(int32_t value, Bytes* out) {
  for (int shift = 0; shift < 32; shift += 8) out->push_back(uint8_t(uint32_t(value) >> shift));
}

const HandlerEntry kHandlers[] = {
    {kIdleReference, OnIdle},
    {kCharacterReference, OnCharacter},
    {kLogReference, LogEvent},
    {kReturnZeroReference, ReturnZero},
    {kStartCreatedReference, OnStartCreated},
    {kSecondPadClickedReference, OnSecondPadClicked},
    {kSecondPadFocusedReference, OnSecondPadFocused},
};

// A type reference that no class of the program has.
constexpr uint32_t kUnknownType = 0x00090077;

Bytes WindowBlock(int32_t startPosition, const char* caption) {
  TestWindowProperties properties;
  properties.startPosition = startPosition;
  properties.caption = caption;
  Bytes block;
  WriteProperties(properties, &block);
  return block;
}

TemplateRecord Record(int32_t id, uint32_t type, const char* name, int left, int top, int width,
                      int height, uint32_t flags) {
  TemplateRecord record = UnitRecord(uint32_t(id), type, left, top, width, height, flags);
  record.name = name;
  return record;
}

Template ScenarioTemplate() {
  Template source;
  TemplateWindow start;
  start.identifier = int32_t(kStartWindow);
  start.kind = 1;
  TemplateRecord own =
      Record(int32_t(kStartOwn), Is("focus") ? kFocusingWindowType : kTestWindowType, "", 0, 0,
             kStartWidth, kStartHeight, kUnitVisible);
  own.properties = WindowBlock(1, kStartCaption);
  Bind(&own, 0, kStartCreatedReference);
  Bind(&own, 3, kLogReference);
  Bind(&own, 4, kLogReference);
  if (Is("idle")) Bind(&own, 7, kIdleReference);
  if (Is("focus")) Bind(&own, -7, kLogReference);
  start.records.push_back(own);
  TemplateRecord first = Record(int32_t(kFirstPad), kTestPadType, "pad1", kFirstPadLeft, kPadTop,
                                kPadWidth, kPadHeight, kUnitVisible);
  AppendInt32(32649, &first.mousePointer);  // the hand
  Bind(&first, -1, kReturnZeroReference);
  Bind(&first, 0, kLogReference);
  Bind(&first, 5, kLogReference);
  Bind(&first, -4, kLogReference);
  if (Is("focus")) {
    Bind(&first, -7, kLogReference);
    Bind(&first, -12, kLogReference);
  }
  start.records.push_back(first);
  const uint32_t secondType = Is("silent-unit")     ? kSilentPadType
                              : Is("unknown-class") ? kUnknownType
                              : Is("refused-unit")  ? kRefusingPadType
                                                    : kTestPadType;
  TemplateRecord second = Record(int32_t(kSecondPadOfStart), secondType, "pad2", kSecondPadLeft,
                                 kPadTop, kPadWidth, kPadHeight, kUnitVisible);
  Bind(&second, -1, kLogReference);
  Bind(&second, 0, kSecondPadClickedReference);
  Bind(&second, 5, kLogReference);
  Bind(&second, -9, kLogReference);
  Bind(&second, -11, kCharacterReference);
  if (Is("focus")) Bind(&second, -7, kLogReference);
  if (Is("recreate") || Is("destroy-other-in-click")) {
    Bind(&second, -7, kLogReference);
    Bind(&second, -8, kLogReference);
  }
  if (Is("destroy-self-in-focus")) Bind(&second, -7, kSecondPadFocusedReference);
  start.records.push_back(second);
  source.windows.push_back(start);

  TemplateWindow other;
  other.identifier = int32_t(kSecondWindow);
  other.kind = 8;
  other.name = kSecondWindowName;
  TemplateRecord otherOwn =
      Record(int32_t(kSecondOwn), kTestWindowType, "", 40, 40, 300, 200, kUnitVisible);
  otherOwn.properties = WindowBlock(0, kSecondCaption);
  other.records.push_back(otherOwn);
  other.records.push_back(Record(int32_t(kSecondPad), kTestPadType, kSecondPadName.c_str(), 10, 10,
                                 50, 50, kUnitVisible));
  source.windows.push_back(other);
  return source;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 3) return 2;
  g_scenario = __argv[1];
  SetLogPath(__argv[2]);
  Bytes bytes;
  if (!WriteTemplate(ScenarioTemplate(), &bytes)) return 3;
  // A count that runs past the end of the data.
  if (Is("damaged-template")) bytes.resize(bytes.size() - 3);
  ProgramDefinition program;
  program.windowTemplate = ByteBlock{bytes.data(), uint32_t(bytes.size())};
  program.handlers = HandlerTable{kHandlers, sizeof kHandlers / sizeof kHandlers[0]};
  program.unitClasses = ProgramUnitClasses();
  program.startWindow = kStartWindowId;
  const int code = RunProgram(program);
  LogLine("program entry returns %d", code);
  return code;
}

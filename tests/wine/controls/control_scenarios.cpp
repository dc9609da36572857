// The program that the standard controls' tests drive: the frame run on a
// template made with the template writer, with the real edit box and check
// box classes on a window that reflects their notifications, as the
// product's window does. It logs every change and click event with the
// value its handler reads, and runs the steps the driver asks for.
// Usage: control_scenarios.exe LOG_FILE AGREEMENT_TEXT_FILE
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "frame/events.h"
#include "frame/startup.h"
#include "frame/template/template_writer.h"
#include "frame/unit_properties.h"
#include "frame/window_services.h"
#include "tests/wine/controls/control_ids.h"
#include "tests/wine/controls/reflecting_window/reflecting_window.h"
#include "tests/wine/frame/scenario_log.h"
#include "tests/wine/frame/test_records.h"
#include "support/test_text.h"
#include "tests/wine/frame/test_window/test_window_properties.h"
#include "widgets/check_box/check_box.h"
#include "widgets/edit_box/edit_box.h"
#include "widgets/pic_box/pic_box.h"
#include "widgets/pic_box/pic_box_properties.h"
#include "widgets/window/window.h"
#include "widgets/window/window_properties.h"

namespace {

Text g_agreementText;

Text ReadFileText(const char* path) {
  Text text;
  HANDLE file =
      CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

UnitRef Unit(uint32_t window, uint32_t unit) { return UnitRef{WindowId{window}, UnitId{unit}}; }

Value ReadOwn(uint32_t window, uint32_t unit, int unitIndex) {
  return ReadUnitProperty(Unit(window, unit), ClassProperty(unitIndex));
}

void WriteOwn(uint32_t window, uint32_t unit, int unitIndex, const Value& value) {
  WriteUnitProperty(Unit(window, unit), ClassProperty(unitIndex), value);
}

void LogHandle(const char* name, uint32_t window, uint32_t unit) {
  LogLine("handle %s %lu", name,
          static_cast<unsigned long>(uintptr_t(FindUnitWindow(Unit(window, unit)))));
}

// Bound to the created event of the controls window.
void OnCreated(EventRecord&) {
  LogHandle("numeric", kControlsWindow, kNumericEdit);
  LogHandle("free", kControlsWindow, kFreeEdit);
  LogHandle("tall", kControlsWindow, kTallEdit);
  LogHandle("spin", kControlsWindow, kSpinEdit);
  LogHandle("check", kControlsWindow, kAgreeCheck);
  LogHandle("picture", kControlsWindow, kPictureCheck);
  LogHandle("damaged", kControlsWindow, kDamagedCheck);
}

// Bound to event 0 of every edit box: the text the handler reads.
void OnEditChanged(EventRecord& event) {
  LogLine("change %08X '%s'", unsigned(event.unit),
          ReadOwn(event.window, event.unit, kEditBoxContent).text.c_str());
}

// Bound to event 0 of the check box: the state the handler reads.
void OnCheckClicked(EventRecord& event) {
  LogLine("check %s", ReadOwn(event.window, event.unit, kCheckBoxChecked).logical ? "on" : "off");
}

// Bound to event 0 of the check box on the product's window.
void OnProductCheckClicked(EventRecord& event) {
  LogLine("product check %s",
          ReadOwn(event.window, event.unit, kCheckBoxChecked).logical ? "on" : "off");
}

void RunSelectionStep() {
  WriteOwn(kControlsWindow, kFreeEdit, kEditBoxContent, Value::OfText("hello world"));
  WriteOwn(kControlsWindow, kFreeEdit, kEditBoxSelStart, Value::Integer(6));
  WriteOwn(kControlsWindow, kFreeEdit, kEditBoxSelLength, Value::Integer(5));
  LogLine("selection %d %d '%s'",
          int(ReadOwn(kControlsWindow, kFreeEdit, kEditBoxSelStart).integer),
          int(ReadOwn(kControlsWindow, kFreeEdit, kEditBoxSelLength).integer),
          ReadOwn(kControlsWindow, kFreeEdit, kEditBoxSelText).text.c_str());
  LogLine("replacing");
  WriteOwn(kControlsWindow, kFreeEdit, kEditBoxSelText, Value::OfText("there"));
  LogLine("replaced");
  WriteOwn(kControlsWindow, kFreeEdit, kEditBoxSelStart, Value::Integer(-1));
  WriteOwn(kControlsWindow, kFreeEdit, kEditBoxSelLength, Value::Integer(-1));
  LogLine("all selected %d %d", int(ReadOwn(kControlsWindow, kFreeEdit, kEditBoxSelStart).integer),
          int(ReadOwn(kControlsWindow, kFreeEdit, kEditBoxSelLength).integer));
  // In characters of Chinese text, and a new start keeps the length: two
  // from the second character on.
  WriteOwn(kControlsWindow, kFreeEdit, kEditBoxContent, Value::OfText(Gbk("你好世界 ok")));
  WriteOwn(kControlsWindow, kFreeEdit, kEditBoxSelLength, Value::Integer(2));
  WriteOwn(kControlsWindow, kFreeEdit, kEditBoxSelStart, Value::Integer(1));
  LogLine("chinese selection %d %d '%s'",
          int(ReadOwn(kControlsWindow, kFreeEdit, kEditBoxSelStart).integer),
          int(ReadOwn(kControlsWindow, kFreeEdit, kEditBoxSelLength).integer),
          ReadOwn(kControlsWindow, kFreeEdit, kEditBoxSelText).text.c_str());
}

// Bound to the step event of the controls window.
void OnStep(EventRecord& event) {
  LogLine("step %d", int(event.arguments[0]));
  switch (event.arguments[0]) {
    case kStepSetContent:
      WriteOwn(kControlsWindow, kFreeEdit, kEditBoxContent, Value::OfText("abc"));
      LogLine("content set");
      WriteOwn(kControlsWindow, kFreeEdit, kEditBoxContent, Value::OfText("abc"));
      LogLine("content set again");
      break;
    case kStepLoadAgreement:
      LogLine("loaded %d", LoadWindow(WindowId{kAgreementWindow}) ? 1 : 0);
      LogHandle("agreement", kAgreementWindow, kAgreementEdit);
      break;
    case kStepRecreateSpin:
      WriteOwn(kControlsWindow, kSpinEdit, kEditBoxTextAlign, Value::Integer(2));
      LogHandle("spin", kControlsWindow, kSpinEdit);
      break;
    case kStepSelection:
      RunSelectionStep();
      break;
    case kStepLoadProduct:
      LogLine("loaded %d", LoadWindow(WindowId{kProductWindow}) ? 1 : 0);
      LogHandle("product edit", kProductWindow, kProductEdit);
      LogHandle("product check", kProductWindow, kProductCheck);
      LogHandle("inner edit", kProductWindow, kInnerEdit);
      break;
    case kStepWriteChecked:
      WriteOwn(kControlsWindow, kAgreeCheck, kCheckBoxChecked, Value::Logical(true));
      LogLine("checked after write %s",
              ReadOwn(kControlsWindow, kAgreeCheck, kCheckBoxChecked).logical ? "on" : "off");
      break;
  }
  LogLine("step %d done", int(event.arguments[0]));
}

const HandlerEntry kHandlers[] = {
    {kCreatedReference, OnCreated},
    {kStepReference, OnStep},
    {kEditChangedReference, OnEditChanged},
    {kCheckClickedReference, OnCheckClicked},
    {kProductCheckClickedReference, OnProductCheckClicked},
};

// The font of the product's units: 13 pixels, GB2312, the default face.
Bytes ProductFont() {
  LOGFONTA font{};
  font.lfHeight = -13;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = GB2312_CHARSET;
  Bytes record(sizeof font);
  memcpy(record.data(), &font, sizeof font);
  return record;
}

void AppendLe(uint32_t value, int bytes, Bytes* out) {
  for (int i = 0; i < bytes; ++i) out->push_back(uint8_t(value >> (8 * i)));
}

// An 8 x 8 24-bit BMP file, all red.
Bytes RedBitmapFile() {
  constexpr uint32_t kSide = 8, kPixelBytes = kSide * kSide * 3, kHeaders = 14 + 40;
  Bytes file = {'B', 'M'};
  AppendLe(kHeaders + kPixelBytes, 4, &file);
  AppendLe(0, 4, &file);
  AppendLe(kHeaders, 4, &file);
  for (uint32_t field : {40u, kSide, kSide}) AppendLe(field, 4, &file);
  AppendLe(1, 2, &file);   // planes
  AppendLe(24, 2, &file);  // bits per pixel
  for (int i = 0; i < 6; ++i) AppendLe(0, 4, &file);
  for (uint32_t i = 0; i < kSide * kSide; ++i) file.insert(file.end(), {0x00, 0x00, 0xFF});
  return file;
}

Bytes CheckBlock(CheckBoxProperties properties) {
  Bytes block;
  WriteProperties(properties, &block);
  return block;
}

Bytes WindowBlock(const char* caption) {
  TestWindowProperties properties;
  properties.startPosition = 1;  // centred
  properties.caption = caption;
  Bytes block;
  WriteProperties(properties, &block);
  return block;
}

Bytes EditBlock(const EditBoxProperties& properties) {
  Bytes block;
  WriteProperties(properties, &block);
  return block;
}

// Every unit of these windows is shown and a tab stop.
TemplateRecord Record(uint32_t id, uint32_t type, int left, int top, int width, int height,
                      Bytes properties) {
  return UnitRecord(id, type, left, top, width, height, kUnitVisible | kUnitTabStop,
                    std::move(properties));
}

TemplateRecord EditRecord(uint32_t id, int left, int top, int width, int height,
                          const EditBoxProperties& properties) {
  TemplateRecord record = Record(id, kEditBoxDescription.typeReference, left, top, width, height,
                                 EditBlock(properties));
  Bind(&record, 0, kEditChangedReference);
  return record;
}

TemplateWindow ControlsWindow() {
  TemplateWindow window;
  window.identifier = int32_t(kControlsWindow);
  window.kind = 1;
  TemplateRecord own =
      Record(kControlsOwn, kReflectingWindowType, 0, 0, 420, 320, WindowBlock(kControlsCaption));
  Bind(&own, 0, kCreatedReference);
  Bind(&own, kStepEvent, kStepReference);
  window.records.push_back(own);

  EditBoxProperties numeric;
  numeric.inputMode = 5;
  window.records.push_back(EditRecord(kNumericEdit, 10, 10, 150, 24, numeric));
  EditBoxProperties free;
  free.font = ProductFont();
  window.records.push_back(EditRecord(kFreeEdit, 10, 50, 150, kFreeEditStoredHeight, free));
  EditBoxProperties tall;
  tall.backColor = kTallEditBackColor;
  window.records.push_back(EditRecord(kTallEdit, 10, 90, 150, kTallEditHeight, tall));
  EditBoxProperties spin;
  spin.spinButton = 1;
  spin.spinMax = kSpinMax;
  window.records.push_back(EditRecord(kSpinEdit, 200, 10, 100, 24, spin));

  CheckBoxProperties check;
  check.caption = Gbk("阅读并同意(&R)");
  check.backColor = kCheckBackColor;
  check.font = ProductFont();
  TemplateRecord checkRecord =
      Record(kAgreeCheck, kCheckBoxDescription.typeReference, 200, 50, 160, 24, CheckBlock(check));
  Bind(&checkRecord, 0, kCheckClickedReference);
  window.records.push_back(checkRecord);

  CheckBoxProperties picture;
  picture.picture = RedBitmapFile();
  window.records.push_back(Record(kPictureCheck, kCheckBoxDescription.typeReference, 200, 90, 60,
                                  24, CheckBlock(picture)));
  picture.picture.resize(picture.picture.size() / 2);
  window.records.push_back(Record(kDamagedCheck, kCheckBoxDescription.typeReference, 270, 90, 90,
                                  24, CheckBlock(picture)));
  return window;
}

// The product's agreement window and its box, with the product's licence.
TemplateWindow AgreementWindow() {
  TemplateWindow window;
  window.identifier = int32_t(kAgreementWindow);
  window.kind = 1;
  window.records.push_back(
      Record(kAgreementOwn, kReflectingWindowType, 0, 0, 470, 373, WindowBlock(kAgreementCaption)));
  EditBoxProperties agreement;
  agreement.multiLine = true;
  agreement.scrollBars = 2;
  agreement.inputMode = 1;
  agreement.font = ProductFont();
  agreement.content = g_agreementText;
  window.records.push_back(Record(kAgreementEdit, kEditBoxDescription.typeReference, 8, 8, 448, 320,
                                  EditBlock(agreement)));
  return window;
}

// A window of the product's class, which reflects its units' notifications
// and answers their Alt mnemonics itself.
TemplateWindow ProductWindow() {
  TemplateWindow window;
  window.identifier = int32_t(kProductWindow);
  window.kind = 1;
  WindowProperties own;
  own.caption = kProductCaption;
  own.backColor = 0x00FFFFFF;
  Bytes ownBlock;
  WriteProperties(own, &ownBlock);
  window.records.push_back(
      Record(kProductOwn, kWindowDescription.typeReference, 60, 60, 300, 160, ownBlock));
  window.records.push_back(EditRecord(kProductEdit, 10, 10, 150, 24, EditBoxProperties{}));
  CheckBoxProperties check;
  check.caption = "&Keep";
  check.backColor = kCheckBackColor;
  TemplateRecord checkRecord =
      Record(kProductCheck, kCheckBoxDescription.typeReference, 10, 50, 150, 24, CheckBlock(check));
  Bind(&checkRecord, 0, kProductCheckClickedReference);
  window.records.push_back(checkRecord);
  // The box is created on the window and moved into the picture box, but
  // an edit control keeps telling the parent it was created with.
  TemplateRecord inner = EditRecord(kInnerEdit, 10, 10, 100, 24, EditBoxProperties{});
  inner.parent = int32_t(kProductPicBox);
  window.records.push_back(inner);
  PicBoxProperties container;
  Bytes containerBlock;
  WriteProperties(container, &containerBlock);
  window.records.push_back(
      Record(kProductPicBox, kPicBoxDescription.typeReference, 170, 10, 120, 80, containerBlock));
  return window;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 3) return 2;
  SetLogPath(__argv[1]);
  g_agreementText = ReadFileText(__argv[2]);
  if (g_agreementText.empty()) return 3;
  Template source;
  source.windows.push_back(ControlsWindow());
  source.windows.push_back(AgreementWindow());
  source.windows.push_back(ProductWindow());
  Bytes bytes;
  if (!WriteTemplate(source, &bytes)) return 4;
  ProgramDefinition program;
  program.windowTemplate = ByteBlock{bytes.data(), uint32_t(bytes.size())};
  program.handlers = HandlerTable{kHandlers, sizeof kHandlers / sizeof kHandlers[0]};
  program.unitClasses = ProgramUnitClasses();
  program.startWindow = WindowId{kControlsWindow};
  return RunProgram(program);
}

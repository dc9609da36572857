// The program that the picture-box and window driver starts: the frame run
// with the real window and picture box classes (and the frame's test pad)
// on a small template, or on the product's start window cut down to its
// banner. Usage: pic_win_scenarios.exe SCENARIO LOG_FILE [TEMPLATE_FILE]
//   esc, drag   a captioned window with a picture box and a pad; it drags
//               anywhere and Esc closes it
//   veto        the same, whose close-request handler refuses the first close
//   product     the product's start window with only 图片框1 and 图片框2
#include <windows.h>

#include <string>

#include "frame/startup.h"
#include "frame/template/template_reader.h"
#include "frame/template/template_writer.h"
#include "tests/wine/frame/scenario_log.h"
#include "tests/wine/frame/test_records.h"
#include "tests/wine/frame/test_pad/test_pad.h"
#include "tests/wine/widgets/pic_win_ids.h"
#include "widgets/pic_box/pic_box.h"
#include "widgets/pic_box/pic_box_properties.h"
#include "widgets/window/window.h"
#include "widgets/window/window_properties.h"

namespace {

std::string g_scenario;
int g_closeRequests = 0;

constexpr int32_t kLogReference = 1;
constexpr int32_t kCloseRequestReference = 2;

void LogEvent(EventRecord& event) {
  LogLine("event %08X %08X %d", unsigned(event.window), unsigned(event.unit), int(event.event));
}

// Event 12 of the window: in the veto scenario the first close is refused.
void OnCloseRequest(EventRecord& event) {
  LogEvent(event);
  if (g_scenario == "veto" && ++g_closeRequests == 1) ReturnFromEvent(event, 0);
}

const HandlerEntry kHandlers[] = {
    {kLogReference, LogEvent},
    {kCloseRequestReference, OnCloseRequest},
};

Template ScenarioTemplate() {
  TemplateWindow window;
  window.identifier = int32_t(kScenarioWindow);
  window.kind = 1;
  TemplateRecord own = UnitRecord(kScenarioOwn, kWindowDescription.typeReference, kScenarioLeft,
                                  kScenarioTop, kScenarioWidth, kScenarioHeight, kUnitVisible);
  WindowProperties windowProperties;
  windowProperties.caption = kScenarioCaption;
  windowProperties.borderStyle = 2;
  windowProperties.startPosition = 0;
  windowProperties.backColor = 0x00FFFFFF;
  windowProperties.dragAnywhere = true;
  windowProperties.escCloses = true;
  // A class name that is a system control's: the window cannot be made with it.
  if (g_scenario == "foreign-class") windowProperties.className = "Button";
  WriteProperties(windowProperties, &own.properties);
  Bind(&own, -1, kLogReference);
  Bind(&own, 1, kLogReference);
  Bind(&own, 12, kCloseRequestReference);
  window.records.push_back(own);

  TemplateRecord box = UnitRecord(kScenarioPicBox, kPicBoxDescription.typeReference, kPicBoxLeft,
                                  kPicBoxTop, kPicBoxWidth, kPicBoxHeight, kUnitVisible);
  PicBoxProperties boxProperties;
  boxProperties.backColor = 0x000000FF;
  WriteProperties(boxProperties, &box.properties);
  Bind(&box, -1, kLogReference);
  Bind(&box, -2, kLogReference);
  window.records.push_back(box);

  TemplateRecord pad = UnitRecord(kScenarioPad, kTestPadType, kPadLeft, kPadTop, kPadWidth,
                                  kPadHeight, kUnitVisible | kUnitTabStop);
  Bind(&pad, -1, kLogReference);
  window.records.push_back(pad);

  Template source;
  source.windows.push_back(window);
  return source;
}

bool Kept(int32_t id) { return uint32_t(id) == kBanner || uint32_t(id) == kLogo; }

// The product's start window with its own record and the banner's two
// picture boxes only, their bytes as the product stores them; no handlers.
bool ProductBannerTemplate(const char* path, Template* out) {
  HANDLE file =
      CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  Bytes bytes(GetFileSize(file, nullptr));
  DWORD got = 0;
  const bool read =
      ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr) && got == bytes.size();
  CloseHandle(file);
  Template product;
  if (!read || !ReadTemplate(ViewOf(bytes), nullptr, &product)) return false;
  // (FindWindow of the reader is a Windows macro here.)
  const TemplateWindow* start = nullptr;
  for (const TemplateWindow& candidate : product.windows)
    if (uint32_t(candidate.identifier) == kStartWindow) start = &candidate;
  if (!start || start->records.empty()) return false;
  TemplateWindow window = *start;
  window.records.clear();
  window.bodyOrder.clear();
  for (size_t i = 0; i < start->records.size(); ++i) {
    if (i != 0 && !Kept(start->records[i].identifier)) continue;
    TemplateRecord record = start->records[i];
    record.bindings.clear();
    std::vector<int32_t> children;
    for (int32_t child : record.children)
      if (Kept(child)) children.push_back(child);
    record.children = children;
    window.records.push_back(record);
  }
  out->windows.push_back(window);
  return window.records.size() == 3;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 3) return 2;
  g_scenario = __argv[1];
  SetLogPath(__argv[2]);
  Template source;
  uint32_t startWindow = kScenarioWindow;
  if (g_scenario == "product") {
    if (__argc < 4 || !ProductBannerTemplate(__argv[3], &source)) return 4;
    startWindow = kStartWindow;
  } else {
    source = ScenarioTemplate();
  }
  Bytes bytes;
  if (!WriteTemplate(source, &bytes)) return 3;
  ProgramDefinition program;
  program.windowTemplate = ViewOf(bytes);
  program.handlers = HandlerTable{kHandlers, sizeof kHandlers / sizeof kHandlers[0]};
  program.unitClasses = ProgramUnitClasses();
  program.startWindow = WindowId{startWindow};
  const int code = RunProgram(program);
  LogLine("program entry returns %d", code);
  return code;
}

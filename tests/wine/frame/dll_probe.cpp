// A program that starts as the setup program does and then loads, by bare
// name, the libraries that system libraries load on first use (themes,
// version information, the window manager, sounds). Built twice: as the
// program is, and without its restricted DLL search, to show that the test
// would notice the difference.
#include <windows.h>

#include "frame/events.h"
#include "frame/shutdown.h"
#include "frame/startup.h"
#include "frame/template/template_writer.h"
#include "tests/wine/frame/scenario_log.h"
#include "tests/wine/frame/test_window/test_window.h"

namespace {

void OnCreated(EventRecord&) {
  for (const char* name : {"version.dll", "uxtheme.dll", "dwmapi.dll", "winmm.dll"}) {
    HMODULE module = LoadLibraryA(name);
    LogLine("%s %s", name, module ? "loaded" : "not loaded");
  }
  EndProgram(0);
}

const HandlerEntry kHandlers[] = {{1, OnCreated}};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 2;
  SetLogPath(__argv[1]);
  Template source;
  TemplateWindow start;
  start.identifier = 0x52010001;
  TemplateRecord own;
  own.identifier = 0x06010001;
  own.typeReference = int32_t(kTestWindowType);
  own.width = 200;
  own.height = 100;
  own.flags = kUnitVisible;
  Binding created;
  created.event = 0;
  created.reference = 1;
  own.bindings.push_back(created);
  start.records.push_back(own);
  source.windows.push_back(start);
  Bytes bytes;
  if (!WriteTemplate(source, &bytes)) return 3;
  ProgramDefinition program;
  program.windowTemplate = ByteBlock{bytes.data(), uint32_t(bytes.size())};
  program.handlers = HandlerTable{kHandlers, 1};
  program.unitClasses = ProgramUnitClasses();
  program.startWindow = WindowId{0x52010001};
  return RunProgram(program);
}

// The readable source of a window template: a JSON file that names windows,
// units, geometry, flags, pointers, tags, bindings (by handler name) and the
// properties of each unit class, with pictures, icons and long texts given
// as files relative to the source. Compiling it gives the template records,
// which the template writer turns into the stored bytes.
//
//   {
//     "handlers": { "OnInstallClicked": "0x192", ... },   name -> reference
//     "windows": [ {
//       "id": "0x52010001", "codeName": "StartWindow", "slot": 0, "kind": 1,
//       "codeReference": "0x19010002", "name": "", "remark": "",
//       "units": [                                 template order; the first
//         { "id": "0x06010000", "class": "window",  is the window's own unit
//           "codeName": "InstallButton",           child units only
//           "name": "", "remark": "", "tag": "",
//           "rect": [left, top, width, height],
//           "parent": "unit name",                 absent: the window
//           "flags": ["visible", "disabled", "tabStop"],
//           "pointer": 32649 | {"file": "x.cur"},  absent: none
//           "eventLink": "unit name",              absent: none
//           "bindings": [ { "event": 0, "handler": "OnInstallClicked" } ],
//           "properties": { "Caption": "...", ... } }   the class's own
//       ] } ] }
//
// "comment" members are allowed on the top level, windows and units and are
// ignored; any other unknown member is an error. A container's child list is
// made from the units that name it as parent, in template order.
//
// A "codeName" (upper camel case, unique in the template) is the name by
// which the program's code knows a window or a unit, in the identifiers
// header (identifiers_header.h); the stored template does not hold it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "frame/template/template_records.h"

// The windows and child units that have a code name, and the handlers: what
// the identifiers header is made from. Windows and units in template order.
struct CodeNamedUnit {
  std::string codeName;
  int32_t identifier = 0;
  std::string name;  // the unit's name in the template, UTF-8 as in the source
  std::string className;
};
struct CodeNamedWindow {
  std::string codeName;  // empty: the window has none, but units of it have
  int32_t identifier = 0;
  std::vector<CodeNamedUnit> units;
};
struct TemplateCodeNames {
  std::vector<CodeNamedWindow> windows;
  std::vector<std::pair<std::string, int32_t>> handlers;  // by name
};

// `filesRead` (if given) receives the source's path and every file it
// references, also on failure, so that a build knows what to watch.
bool CompileTemplateSource(const std::string& sourcePath, Template* out, std::string* error,
                           std::vector<std::string>* filesRead = nullptr,
                           TemplateCodeNames* codeNames = nullptr);

// The same from source text; file references are relative to `baseDir`
// (empty or ending in '/'). `codeNames` (if given) receives the code names
// of a source that compiles.
bool CompileTemplateText(const std::string& text, const std::string& baseDir, Template* out,
                         std::string* error, std::vector<std::string>* filesRead = nullptr,
                         TemplateCodeNames* codeNames = nullptr);

// The readable source of a window template: a JSON file that names windows,
// units, geometry, flags, pointers, tags, bindings (by handler name) and the
// properties of each unit class, with pictures, icons and long texts given
// as files relative to the source. Compiling it gives the template records,
// which the template writer turns into the stored bytes.
//
//   {
//     "handlers": { "OnInstallClicked": "0x192", ... },   name -> reference
//     "windows": [ {
//       "id": "0x52010001", "slot": 0, "kind": 1, "codeReference": "0x19010002",
//       "name": "", "remark": "",
//       "units": [                                 template order; the first
//         { "id": "0x06010000", "class": "window",  is the window's own unit
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
#pragma once

#include <string>
#include <vector>

#include "frame/template/template_records.h"

// `filesRead` (if given) receives the source's path and every file it
// references, also on failure, so that a build knows what to watch.
bool CompileTemplateSource(const std::string& sourcePath, Template* out, std::string* error,
                           std::vector<std::string>* filesRead = nullptr);

// The same from source text; file references are relative to `baseDir`
// (empty or ending in '/').
bool CompileTemplateText(const std::string& text, const std::string& baseDir, Template* out,
                         std::string* error, std::vector<std::string>* filesRead = nullptr);

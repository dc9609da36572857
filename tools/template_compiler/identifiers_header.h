// The identifiers header: the C++ constants by which the program's code
// knows the windows, units and handlers of its window template, written at
// build time from the template source (template_source.h), so that no
// identifier is copied by hand.
//
//   constexpr WindowId kStartWindow{0x52010001};
//   constexpr UnitRef kInstallButton{kStartWindow, UnitId{0x16011ED9}};  // 图形按钮1, PicBtn
//   constexpr int32_t kOnInstallClickedReference = 0x192;
#pragma once

#include <string>

#include "tools/template_compiler/template_source.h"

// The header for `names`, the code names of the source `sourceName` (named
// in its opening comment). False with a message when a handler's name is no
// C++ identifier or two names would make one constant.
bool MakeIdentifiersHeader(const TemplateCodeNames& names, const std::string& sourceName,
                           std::string* header, std::string* error);

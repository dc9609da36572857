// The unit classes of the widget set, by their descriptions: what the
// template tools, the tests and the fuzz targets know of every class that a
// window template of this program may name. Pure code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "frame/unit_description.h"
#include "widgets/check_box/check_box_properties.h"
#include "widgets/edit_box/edit_box_properties.h"
#include "widgets/hyperlinker/hyperlinker_properties.h"
#include "widgets/label/label_properties.h"
#include "widgets/pic_box/pic_box_properties.h"
#include "widgets/pic_btn/pic_btn_properties.h"
#include "widgets/process_bar/process_bar_properties.h"
#include "widgets/trans_label/trans_label_properties.h"
#include "widgets/window/window_properties.h"

struct WidgetSet {
  const UnitDescription* const* classes;
  size_t count;
};
WidgetSet AllWidgetClasses();

// The class of a record's type reference, or nullptr.
const UnitDescription* FindWidgetClass(uint32_t typeReference);
// The class of that name ("window", "PicBtn", ...), or nullptr.
const UnitDescription* FindWidgetClassNamed(const char* name);

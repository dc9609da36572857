#include "widgets/common/property_codecs.h"

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

template <typename Properties>
bool Rewrite(ByteBlock block, Bytes* out, bool (*read)(ByteBlock, Properties*),
             bool (*write)(const Properties&, Bytes*)) {
  Properties properties;
  return read(block, &properties) && write(properties, out);
}

bool ReadHyperLinkerWithStandardHighlight(ByteBlock block, HyperLinkerProperties* out) {
  return ReadHyperLinkerProperties(block, kStandardHighlightColour, out);
}

}  // namespace

int32_t PropertyBlockVersion(UnitClass unitClass) {
  switch (unitClass) {
    case UnitClass::Window:
      return kWindowBlockVersion;
    case UnitClass::EditBox:
      return kEditBoxBlockVersion;
    case UnitClass::PicBox:
      return kPicBoxBlockVersion;
    case UnitClass::Label:
      return kLabelBlockVersion;
    case UnitClass::CheckBox:
      return kCheckBoxBlockVersion;
    case UnitClass::ProcessBar:
      return kProcessBarBlockVersion;
    case UnitClass::HyperLinker:
      return kHyperLinkerBlockVersion;
    case UnitClass::PicBtn:
      return kPicBtnBlockVersion;
    case UnitClass::TransLabel:
      return kTransLabelBlockVersion;
    case UnitClass::Unknown:
      break;
  }
  return 0;
}

bool RewritePropertyBlock(UnitClass unitClass, ByteBlock block, Bytes* out) {
  switch (unitClass) {
    case UnitClass::Window:
      return Rewrite(block, out, ReadWindowProperties, WriteWindowProperties);
    case UnitClass::EditBox:
      return Rewrite(block, out, ReadEditBoxProperties, WriteEditBoxProperties);
    case UnitClass::PicBox:
      return Rewrite(block, out, ReadPicBoxProperties, WritePicBoxProperties);
    case UnitClass::Label:
      return Rewrite(block, out, ReadLabelProperties, WriteLabelProperties);
    case UnitClass::CheckBox:
      return Rewrite(block, out, ReadCheckBoxProperties, WriteCheckBoxProperties);
    case UnitClass::ProcessBar:
      return Rewrite(block, out, ReadProcessBarProperties, WriteProcessBarProperties);
    case UnitClass::HyperLinker:
      return Rewrite(block, out, ReadHyperLinkerWithStandardHighlight, WriteHyperLinkerProperties);
    case UnitClass::PicBtn:
      return Rewrite(block, out, ReadPicBtnProperties, WritePicBtnProperties);
    case UnitClass::TransLabel:
      return Rewrite(block, out, ReadTransLabelProperties, WriteTransLabelProperties);
    case UnitClass::Unknown:
      break;
  }
  return false;
}

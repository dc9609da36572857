#include "installer/program_classes.h"

#include "widgets/label/label.h"
#include "widgets/pic_box/pic_box.h"
#include "widgets/process_bar/process_bar.h"
#include "widgets/trans_label/trans_label.h"
#include "widgets/window/window.h"
#include "widgets/check_box/check_box.h"
#include "widgets/edit_box/edit_box.h"
#include "widgets/hyperlinker/hyperlinker.h"
#include "widgets/pic_btn/pic_btn.h"

namespace {

// The widget classes join this list as they are built; a record of a class
// that is not in it fails the loading of its window.
const UnitOperations* const kProgramClasses[] = {
    &kWindowUnit,
    &kPicBoxUnit,
    &kLabelUnit,
    &kProcessBarUnit,
    &kTransLabelUnit,
    &kEditBoxUnit,
    &kCheckBoxUnit,
    &kPicBtnUnit,
    &kHyperLinkerUnit,
};

}  // namespace

UnitClassList ProgramUnitClasses() {
  return UnitClassList{kProgramClasses, sizeof kProgramClasses / sizeof kProgramClasses[0]};
}

#include "installer/program_classes.h"

#include "widgets/check_box/check_box.h"
#include "widgets/edit_box/edit_box.h"
#include "widgets/hyperlinker/hyperlinker.h"
#include "widgets/label/label.h"
#include "widgets/pic_box/pic_box.h"
#include "widgets/pic_btn/pic_btn.h"
#include "widgets/process_bar/process_bar.h"
#include "widgets/trans_label/trans_label.h"
#include "widgets/window/window.h"

namespace {

// The classes that the product's window template names; a record of a class
// that is not in the list fails the loading of its window.
const UnitOperations* const kProgramClasses[] = {
    &kWindowUnit,     &kEditBoxUnit,     &kPicBoxUnit, &kLabelUnit,      &kCheckBoxUnit,
    &kProcessBarUnit, &kHyperLinkerUnit, &kPicBtnUnit, &kTransLabelUnit,
};

}  // namespace

UnitClassList ProgramUnitClasses() {
  return UnitClassList{kProgramClasses, sizeof kProgramClasses / sizeof kProgramClasses[0]};
}

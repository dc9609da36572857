#include "installer/program_classes.h"

#include "widgets/check_box/check_box.h"
#include "widgets/edit_box/edit_box.h"

namespace {

// The widget classes join this list as they are built; a record of a class
// that is not in it fails the loading of its window.
const UnitOperations* const kProgramClasses[] = {
    &kEditBoxUnit,
    &kCheckBoxUnit,
};

}  // namespace

UnitClassList ProgramUnitClasses() {
  return UnitClassList{kProgramClasses, sizeof kProgramClasses / sizeof kProgramClasses[0]};
}

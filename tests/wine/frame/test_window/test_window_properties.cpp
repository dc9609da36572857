#include "tests/wine/frame/test_window/test_window_properties.h"

#include "widgets/common/property_fields.h"

constexpr PropertyField kTestWindowFields[2] = {
    Field<&TestWindowProperties::startPosition>(0, "StartPosition", PropertyForm::Integer),
    Field<&TestWindowProperties::caption>(1, "Caption", PropertyForm::Text),
};

const UnitDescription kTestWindowDescription =
    Describe<TestWindowProperties>("TestWindow", kTestWindowType, kTestWindowFields, 1);

UnitWindowClass TestWindowClass(const char* name) {
  UnitWindowClass windowClass;
  windowClass.name = name;
  windowClass.style = CS_DBLCLKS;
  windowClass.background = HBRUSH(COLOR_WINDOW + 1);
  return windowClass;
}

UnitCreateArgs TestWindowPlace(const UnitCreateArgs& args, const TestWindowProperties& properties) {
  UnitCreateArgs placed = args;
  if (properties.startPosition == 1) {
    placed.left = (GetSystemMetrics(SM_CXSCREEN) - args.width) / 2;
    placed.top = (GetSystemMetrics(SM_CYSCREEN) - args.height) / 2;
  }
  return placed;
}

#include "tests/wine/frame/test_window/test_window_properties.h"

#include "widgets/common/property_fields.h"

constexpr PropertyField kTestWindowFields[2] = {
    Field<&TestWindowProperties::startPosition>(0, "StartPosition", PropertyForm::Integer),
    Field<&TestWindowProperties::caption>(1, "Caption", PropertyForm::Text),
};

const UnitDescription kTestWindowDescription =
    Describe<TestWindowProperties>("TestWindow", kTestWindowType, kTestWindowFields, 1);

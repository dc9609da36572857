#include "tests/wine/frame/test_window/test_window_properties.h"

#include "services/little_endian.h"
#include "widgets/common/property_fields.h"

bool ReadTestWindowProperties(ByteBlock block, TestWindowProperties* out) {
  *out = TestWindowProperties{};
  if (block.size < 4) return block.size == 0;
  out->startPosition = int32_t(LoadLe32(block.data));
  out->caption.assign(reinterpret_cast<const char*>(block.data) + 4, block.size - 4);
  return true;
}

bool WriteTestWindowProperties(const TestWindowProperties& properties, Bytes* out) {
  out->assign(4, 0);
  StoreLe32(uint32_t(properties.startPosition), out->data());
  out->insert(out->end(), properties.caption.begin(), properties.caption.end());
  return true;
}

void ClampTestWindowProperties(TestWindowProperties*) {}

const PropertyField kTestWindowFields[2] = {
    Field<&TestWindowProperties::startPosition>("StartPosition", PropertyForm::Integer),
    Field<&TestWindowProperties::caption>("Caption", PropertyForm::Text),
};

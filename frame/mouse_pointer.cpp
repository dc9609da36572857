#include "frame/mouse_pointer.h"

#include <cstring>
#include <vector>

#include "frame/program_resources.h"
#include "services/little_endian.h"

namespace {

// A cursor file:
//   0   u16  reserved, 0
//   2   u16  type, 2 for a cursor
//   4   u16  image count
//   6   16 bytes per image: width, height, colours, reserved (u8 each),
//       hot spot x, hot spot y (u16 each), byte count, offset (u32 each)
// CreateIconFromResourceEx wants the resource form of the first image: its
// hot spot (two u16) followed by the image bytes.
HCURSOR CursorFromFile(ByteBlock file) {
  if (file.size < 6 + 16 || LoadLe16(file.data) != 0 || LoadLe16(file.data + 2) != 2 ||
      LoadLe16(file.data + 4) == 0)
    return nullptr;
  const uint8_t* entry = file.data + 6;
  uint32_t size = LoadLe32(entry + 8), offset = LoadLe32(entry + 12);
  if (offset > file.size || size > file.size - offset || size == 0) return nullptr;
  std::vector<uint8_t> resource(4 + size);
  memcpy(resource.data(), entry + 4, 4);
  memcpy(resource.data() + 4, file.data + offset, size);
  return HCURSOR(CreateIconFromResourceEx(resource.data(), DWORD(resource.size()), FALSE,
                                          0x00030000, 0, 0, LR_DEFAULTCOLOR));
}

}  // namespace

LoadedPointer LoadUnitPointer(const TemplateRecord& record) {
  LoadedPointer loaded;
  MousePointer pointer = MousePointerOf(record);
  if (pointer.cursorFile.size > 0) {
    loaded.cursor = CursorFromFile(pointer.cursorFile);
    loaded.owned = loaded.cursor != nullptr;
    return loaded;
  }
  if (pointer.code == kNoMousePointer) return loaded;
  if (pointer.code == kHandPointerCode) {
    loaded.cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_PROGRAM_HAND));
    // A program built without the resource still shows a hand.
    if (!loaded.cursor) loaded.cursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(kHandPointerCode));
    return loaded;
  }
  loaded.cursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(pointer.code));
  return loaded;
}

void ReleaseUnitPointer(LoadedPointer* pointer) {
  if (pointer->owned && pointer->cursor) DestroyCursor(pointer->cursor);
  *pointer = LoadedPointer();
}

#include "frame/mouse_pointer.h"

#include <cstring>
#include <vector>

#include "frame/program_resources.h"
#include "services/little_endian.h"
#include "frame/icon_directory.h"

namespace {

// The format version CreateIconFromResourceEx wants for cursors of Windows
// 3.0 and later.
constexpr DWORD kCursorFormatVersion = 0x00030000;

// CreateIconFromResourceEx wants a cursor in its resource form: the hot spot
// (two u16) followed by the image bytes.
HCURSOR CursorFromFile(ByteBlock file) {
  CursorFileImage cursor;
  if (!ReadCursorFileImage(file, &cursor)) return nullptr;
  std::vector<uint8_t> resource(4 + size_t(cursor.image.size));
  StoreLe16(cursor.hotSpotX, resource.data());
  StoreLe16(cursor.hotSpotY, resource.data() + 2);
  memcpy(resource.data() + 4, cursor.image.data, cursor.image.size);
  return HCURSOR(CreateIconFromResourceEx(resource.data(), DWORD(resource.size()), FALSE,
                                          kCursorFormatVersion, 0, 0, LR_DEFAULTCOLOR));
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
    loaded.cursor = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_PROGRAM_HAND));
    // A program built without the resource still shows a hand.
    if (!loaded.cursor) loaded.cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(kHandPointerCode));
    return loaded;
  }
  loaded.cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(pointer.code));
  return loaded;
}

void ReleaseUnitPointer(LoadedPointer* pointer) {
  if (pointer->owned && pointer->cursor) DestroyCursor(pointer->cursor);
  *pointer = LoadedPointer();
}

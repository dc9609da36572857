// Fuzz target: a unit's mouse-pointer block as the frame reads it before
// Windows makes a cursor of it: a pointer code, or a cursor file (after an
// optional -1) whose first image is checked against the size its header
// claims. What it passes on lies inside the block; every byte of it is read
// back (the address sanitizer checks the reads).
#include <cstdint>
#include <cstdlib>

#include "frame/template/template_reader.h"
#include "widgets/image/decoded_image.h"
#include "frame/icon_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  TemplateRecord record;
  record.mousePointer.assign(data, data + size);
  const MousePointer pointer = MousePointerOf(record);
  const uint8_t* begin = record.mousePointer.data();
  const uint8_t* end = begin + record.mousePointer.size();
  const ByteBlock file = pointer.cursorFile;
  if (file.size == 0) return 0;
  if (pointer.code != kNoMousePointer || file.data < begin || file.size > size_t(end - file.data))
    abort();
  CursorFileImage cursor;
  if (!ReadCursorFileImage(file, &cursor)) return 0;
  if (cursor.image.data < file.data || cursor.image.size == 0 ||
      cursor.image.size > size_t(end - cursor.image.data))
    abort();
  if (!ImageSidesAllowed(cursor.size.width, cursor.size.height)) abort();
  volatile uint8_t sum = 0;
  for (uint32_t i = 0; i < cursor.image.size; ++i) sum = uint8_t(sum + cursor.image.data[i]);
  return 0;
}

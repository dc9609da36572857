// From a picture's bytes to the record a unit keeps. Every kind but icons
// and cursors is decoded by the pure decoders; those two become an icon here.
#include <new>

#include "frame/icon_directory.h"
#include "widgets/image/image.h"
#include "widgets/image/pixel_decoders.h"

namespace {

// The format version CreateIconFromResourceEx wants for icons of Windows 3.0
// and later.
constexpr DWORD kIconFormatVersion = 0x00030000;

HICON IconFromImage(ByteBlock image, const IconImageSize& size) {
  // The calls take the bytes as non-const; they only read them.
  PBYTE bits = const_cast<PBYTE>(image.data);
  HICON icon = CreateIconFromResourceEx(bits, image.size, TRUE, kIconFormatVersion, size.width,
                                        size.height, LR_DEFAULTCOLOR);
  // The older call takes its size from the system's icon metrics; it is no
  // use for 16-bit images, which it does not read.
  if (icon == nullptr && size.bitCount != 16)
    icon = CreateIconFromResource(bits, image.size, TRUE, kIconFormatVersion);
  return icon;
}

bool DecodeIcon(ByteBlock file, int wantedWidth, DecodedImage* out) {
  IconEntryChoice choice;
  IconImageSize size;
  if (!ChooseIconEntry(file, wantedWidth, &choice) || !ReadIconImageSize(choice.image, &size))
    return false;
  HICON icon = IconFromImage(choice.image, size);
  if (icon == nullptr) return false;
  // An icon is made of a cursor file's image too, so that a picture shows it
  // (without its hot spot) like any icon.
  out->kind = choice.type == 1 ? kImageIcon : kImageCursor;
  out->width = size.width;
  out->height = size.height;
  out->icon = icon;
  return true;
}

void ReleaseContents(DecodedImage* image) {
  if (image->icon) DestroyIcon(static_cast<HICON>(image->icon));
  ReleasePixels(image->pixels);
}

}  // namespace

DecodedImage* DecodeImage(ByteBlock file, int wantedIconWidth) {
  DecodedImage decoded;
  const ImageKind kind = DetectImageKind(file);
  const bool ok = kind == kImageIcon || kind == kImageCursor
                      ? DecodeIcon(file, wantedIconWidth, &decoded)
                      : DecodePixels(file, &decoded);
  if (!ok) return nullptr;
  DecodedImage* image = new (std::nothrow) DecodedImage(decoded);
  if (image == nullptr) ReleaseContents(&decoded);
  return image;
}

void FreeImage(DecodedImage* image) {
  if (image == nullptr) return;
  ReleaseContents(image);
  delete image;
}

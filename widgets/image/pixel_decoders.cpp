#include "widgets/image/pixel_decoders.h"

#include "widgets/image/bmp_decoder.h"
#include "widgets/image/gif_decoder.h"
#include "widgets/image/jpeg_decoder.h"
#include "widgets/image/pcx_decoder.h"
#include "widgets/image/png_decoder.h"

bool DecodePixels(ByteBlock file, DecodedImage* out) {
  switch (DetectImageKind(file)) {
    case kImageJpeg:
      return DecodeJpeg(file, out);
    case kImageBmp:
      return DecodeBmp(file, out);
    case kImageGif:
      return DecodeGif(file, out);
    case kImagePcx8:
    case kImagePcx1:
      return DecodePcx(file, out);
    case kImagePng:
      return DecodePng(file, out);
    default:
      return false;
  }
}

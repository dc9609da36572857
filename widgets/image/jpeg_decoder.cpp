#include "widgets/image/jpeg_decoder.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace {

// libjpeg's working memory for one image may not grow past this: a header
// that claims a huge progressive image fails in libjpeg's allocator instead
// of taking the machine's memory. It leaves room for the coefficient buffers
// of the largest picture the pixel limit admits.
constexpr long kMaxLibraryMemory = long(640) << 20;

// libjpeg's error manager, filled in here rather than by jpeg_std_error: its
// fatal-error exit is a jump back into DecompressInto, and no message is
// ever put into words or shown, so libjpeg's table of message texts (about
// 5 KB) is not linked into the program.
struct ErrorManager {
  jpeg_error_mgr standard;
  jmp_buf jump;
};

void ExitToDecoder(j_common_ptr cinfo) {
  longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void OutputNoMessage(j_common_ptr) {}

void FormatNoMessage(j_common_ptr, char* buffer) { buffer[0] = '\0'; }

void ResetErrorCounts(j_common_ptr cinfo) {
  cinfo->err->num_warnings = 0;
  cinfo->err->msg_code = 0;
}

// Warnings that say nothing of damage to the pixels: stray bytes between
// marker segments (which every viewer skips), a JFIF or Adobe header of a
// version or colour transform libjpeg does not know, and progressive scans
// in an order the standard does not allow, which libjpeg decodes as given.
bool IsHarmlessWarning(int code) {
  switch (code) {
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_PROGRESSION:
      return true;
    default:
      return false;
  }
}

// Level -1 is a warning. The others mean damaged or cut-short data that
// libjpeg would step over (a marker inside the entropy data, a bad code, a
// lost restart marker): a damaged picture is no picture, and stepping over a
// stream that ends early costs the whole image's decoding for a grey
// result, so they end the decoding like an error. Unknown ones too. Trace
// messages (levels 0 and up) are dropped.
void StopOnWarning(j_common_ptr cinfo, int level) {
  if (level < 0 && !IsHarmlessWarning(cinfo->err->msg_code)) cinfo->err->error_exit(cinfo);
}

// What jpeg_std_error sets, with the program's own procedures and without
// a message table; no trace messages.
jpeg_error_mgr* StartErrorManager(ErrorManager* error) {
  error->standard = jpeg_error_mgr{};
  error->standard.error_exit = ExitToDecoder;
  error->standard.emit_message = StopOnWarning;
  error->standard.output_message = OutputNoMessage;
  error->standard.format_message = FormatNoMessage;
  error->standard.reset_error_mgr = ResetErrorCounts;
  return &error->standard;
}

// The source manager over the picture's bytes: all of them are handed over
// at once, so a request for more means the stream was cut short, which is a
// failure here (libjpeg's own answer, a made-up end marker and a grey rest of
// the image, would show a damaged picture).
void InitSource(j_decompress_ptr) {}
boolean FillInput(j_decompress_ptr cinfo) {
  ERREXIT(cinfo, JERR_INPUT_EOF);
  return FALSE;
}
void SkipInput(j_decompress_ptr cinfo, long count) {
  jpeg_source_mgr* source = cinfo->src;
  if (count <= 0) return;
  if (size_t(count) > source->bytes_in_buffer) ERREXIT(cinfo, JERR_INPUT_EOF);
  source->next_input_byte += count;
  source->bytes_in_buffer -= size_t(count);
}
void TermSource(j_decompress_ptr) {}

// A progressive stream may hold any number of scans, each a pass over the
// whole image; a damaged one with thousands of them takes minutes. No
// encoder needs more than a few dozen.
constexpr int kMaxScans = 256;

void LimitScans(j_common_ptr cinfo) {
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
    ERREXIT(cinfo, JERR_BAD_SCAN_SCRIPT);
}

// What DecompressInto works on. It lives in the caller's frame so that
// nothing DecompressInto changes sits in a register when libjpeg jumps back.
struct Decompression {
  jpeg_decompress_struct cinfo;
  ErrorManager error;
  jpeg_source_mgr source;
  jpeg_progress_mgr progress;
  uint8_t* pixels;  // owned by the caller, freed by it on failure
  uint32_t width;
  uint32_t height;
};

bool OutputAllowed(const jpeg_decompress_struct& cinfo) {
  if (cinfo.jpeg_color_space != JCS_GRAYSCALE && cinfo.jpeg_color_space != JCS_YCbCr &&
      cinfo.jpeg_color_space != JCS_RGB)
    return false;
  return ImageSidesAllowed(cinfo.image_width, cinfo.image_height);
}

// The only frame that libjpeg's error exit jumps into. C-style on purpose:
// no object with a destructor lives here or in the frames libjpeg calls, so
// the jump skips no clean-up.
bool DecompressInto(ByteBlock file, Decompression* d) {
  d->cinfo.err = StartErrorManager(&d->error);
  if (setjmp(d->error.jump)) {
    jpeg_destroy_decompress(&d->cinfo);
    return false;
  }
  jpeg_create_decompress(&d->cinfo);
  d->cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
  d->source.next_input_byte = file.data;
  d->source.bytes_in_buffer = file.size;
  d->source.init_source = InitSource;
  d->source.fill_input_buffer = FillInput;
  d->source.skip_input_data = SkipInput;
  d->source.resync_to_restart = jpeg_resync_to_restart;
  d->source.term_source = TermSource;
  d->cinfo.src = &d->source;
  d->progress.progress_monitor = LimitScans;
  d->cinfo.progress = &d->progress;

  jpeg_read_header(&d->cinfo, TRUE);
  if (!OutputAllowed(d->cinfo)) {
    jpeg_destroy_decompress(&d->cinfo);
    return false;
  }
  // Blue, green, red straight from the colour converter; a greyscale image
  // gets its grey copied into all three channels there.
  d->cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&d->cinfo);
  d->width = d->cinfo.output_width;
  d->height = d->cinfo.output_height;
  const uint64_t row = uint64_t(d->width) * 3;
  d->pixels = AllocatePixels(row * d->height);
  if (d->pixels == nullptr || d->cinfo.output_components != 3) {
    jpeg_destroy_decompress(&d->cinfo);
    return false;
  }
  // One scan line at a time, each straight into its place in the bottom-up
  // rows of the decoded image.
  while (d->cinfo.output_scanline < d->height) {
    JSAMPROW line = d->pixels + (d->height - 1 - d->cinfo.output_scanline) * row;
    jpeg_read_scanlines(&d->cinfo, &line, 1);
  }
  jpeg_finish_decompress(&d->cinfo);
  jpeg_destroy_decompress(&d->cinfo);
  return true;
}

}  // namespace

bool DecodeJpeg(ByteBlock file, DecodedImage* out) {
  if (file.data == nullptr || file.size == 0) return false;
  Decompression d{};
  if (!DecompressInto(file, &d)) {
    ReleasePixels(d.pixels);
    return false;
  }
  SetImagePixels(out, kImageJpeg, int32_t(d.width), int32_t(d.height), d.pixels,
                 uint64_t(d.width) * 3 * d.height);
  return true;
}

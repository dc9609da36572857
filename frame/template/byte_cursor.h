// Bounded little-endian reading and writing of the template's stored forms:
// int32 fields, counted blocks, counted texts and terminated texts.
// Pure code: builds for Windows and for the host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "services/values.h"

// Owned bytes: a picture, a font record, a property block, a whole template.
using Bytes = std::vector<uint8_t>;

inline ByteBlock ViewOf(const Bytes& bytes) {
  return {bytes.data(), static_cast<uint32_t>(bytes.size())};
}

// Reads forward through a byte block. Every read checks the bytes that
// remain before it touches them; the first failed read leaves the cursor
// failed, and every later read fails too, so a caller may read a run of
// fields and test Ok() once at the end. Nothing is allocated for a count
// until the bytes it announces are known to be there.
class ByteCursor {
 public:
  ByteCursor() = default;
  explicit ByteCursor(ByteBlock block) : data_(block.data), size_(block.size) {}

  bool Ok() const { return ok_; }
  size_t Offset() const { return offset_; }
  size_t Remaining() const { return ok_ ? size_ - offset_ : 0; }
  const uint8_t* Here() const { return data_ + offset_; }

  bool ReadInt32(int32_t* value);
  bool ReadUint32(uint32_t* value);
  bool ReadUint16(uint16_t* value);
  bool Skip(size_t count);
  // A view of the next `count` bytes; the cursor moves past them.
  bool ReadView(size_t count, ByteBlock* view);

  // A counted block: int32 n, then n bytes; n <= 0 is an empty block with no
  // bytes after the count.
  bool ReadCountedView(ByteBlock* view);
  bool ReadCounted(Bytes* bytes);
  bool ReadCountedText(Text* text);
  // Text up to and past the next 0 byte; failure when no 0 byte remains.
  bool ReadTerminatedText(Text* text);

  // Marks the cursor failed (a caller's own check refused a value).
  bool Fail() {
    ok_ = false;
    return false;
  }

 private:
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t offset_ = 0;
  bool ok_ = true;
};

// Appends stored forms to a byte vector.
void AppendInt32(int32_t value, Bytes* out);
void AppendUint32(uint32_t value, Bytes* out);
void AppendUint16(uint16_t value, Bytes* out);
void AppendRaw(const void* data, size_t size, Bytes* out);
// int32 n, then the n bytes. Fails (appending nothing) above INT32_MAX bytes.
bool AppendCounted(const void* data, size_t size, Bytes* out);
inline bool AppendCounted(const Bytes& bytes, Bytes* out) {
  return AppendCounted(bytes.data(), bytes.size(), out);
}
inline bool AppendCountedText(const Text& text, Bytes* out) {
  return AppendCounted(text.data(), text.size(), out);
}
// The text and its 0 byte. Fails (appending nothing) when the text holds a
// 0 byte itself, which would end it early when read back.
bool AppendTerminatedText(const Text& text, Bytes* out);

// Overwrites the int32 at `offset` (which must lie inside `bytes`); used to
// fill in a count or a length once what it counts has been appended.
void PatchInt32(size_t offset, int32_t value, Bytes* bytes);

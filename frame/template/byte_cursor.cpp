#include "frame/template/byte_cursor.h"

#include <climits>
#include <cstring>

#include "services/little_endian.h"

bool ByteCursor::ReadView(size_t count, ByteBlock* view) {
  if (!ok_ || count > size_ - offset_) return Fail();
  view->data = data_ + offset_;
  view->size = static_cast<uint32_t>(count);
  offset_ += count;
  return true;
}

bool ByteCursor::Skip(size_t count) {
  ByteBlock ignored;
  return ReadView(count, &ignored);
}

bool ByteCursor::ReadUint32(uint32_t* value) {
  ByteBlock v;
  if (!ReadView(4, &v)) return false;
  *value = LoadLe32(v.data);
  return true;
}

bool ByteCursor::ReadInt32(int32_t* value) {
  uint32_t u;
  if (!ReadUint32(&u)) return false;
  *value = static_cast<int32_t>(u);
  return true;
}

bool ByteCursor::ReadUint16(uint16_t* value) {
  ByteBlock v;
  if (!ReadView(2, &v)) return false;
  *value = LoadLe16(v.data);
  return true;
}

bool ByteCursor::ReadCountedView(ByteBlock* view) {
  int32_t count;
  if (!ReadInt32(&count)) return false;
  if (count <= 0) {
    *view = ByteBlock{};
    return true;
  }
  return ReadView(static_cast<size_t>(count), view);
}

bool ByteCursor::ReadCounted(Bytes* bytes) {
  ByteBlock view;
  if (!ReadCountedView(&view)) return false;
  bytes->assign(view.data, view.data + view.size);
  return true;
}

bool ByteCursor::ReadCountedText(Text* text) {
  ByteBlock view;
  if (!ReadCountedView(&view)) return false;
  text->assign(reinterpret_cast<const char*>(view.data), view.size);
  return true;
}

bool ByteCursor::ReadTerminatedText(Text* text) {
  if (!ok_) return false;
  const void* end = offset_ < size_ ? memchr(data_ + offset_, 0, size_ - offset_) : nullptr;
  if (!end) return Fail();
  size_t length = static_cast<const uint8_t*>(end) - (data_ + offset_);
  text->assign(reinterpret_cast<const char*>(data_ + offset_), length);
  offset_ += length + 1;
  return true;
}

void AppendUint32(uint32_t value, Bytes* out) {
  uint8_t bytes[4];
  StoreLe32(value, bytes);
  out->insert(out->end(), bytes, bytes + 4);
}

void AppendInt32(int32_t value, Bytes* out) { AppendUint32(static_cast<uint32_t>(value), out); }

void AppendUint16(uint16_t value, Bytes* out) {
  uint8_t bytes[2];
  StoreLe16(value, bytes);
  out->insert(out->end(), bytes, bytes + 2);
}

void AppendRaw(const void* data, size_t size, Bytes* out) {
  if (size == 0) return;
  const auto* p = static_cast<const uint8_t*>(data);
  out->insert(out->end(), p, p + size);
}

bool AppendCounted(const void* data, size_t size, Bytes* out) {
  if (size > size_t(INT32_MAX)) return false;
  AppendInt32(static_cast<int32_t>(size), out);
  AppendRaw(data, size, out);
  return true;
}

bool AppendTerminatedText(const Text& text, Bytes* out) {
  if (text.find('\0') != Text::npos) return false;
  AppendRaw(text.data(), text.size(), out);
  out->push_back(0);
  return true;
}

void PatchInt32(size_t offset, int32_t value, Bytes* bytes) {
  uint32_t u = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) (*bytes)[offset + i] = uint8_t(u >> (8 * i));
}

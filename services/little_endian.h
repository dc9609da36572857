// Little-endian loads and stores: the byte order of every stored form of the
// program (byte blocks, the window template, property blocks, image and
// cursor files). Pure code: builds for Windows and for the host.
#pragma once

#include <cstdint>

inline uint16_t LoadLe16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

inline uint32_t LoadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void StoreLe16(uint16_t value, uint8_t* p) {
  p[0] = uint8_t(value);
  p[1] = uint8_t(value >> 8);
}

inline void StoreLe32(uint32_t value, uint8_t* p) {
  p[0] = uint8_t(value);
  p[1] = uint8_t(value >> 8);
  p[2] = uint8_t(value >> 16);
  p[3] = uint8_t(value >> 24);
}

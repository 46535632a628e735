// Appends little-endian fields, each at its own width, to a byte buffer.
// Binary records are written field by field through this, never by copying
// a C++ struct with its padding.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

struct byte_sink {
  std::string bytes;

  void u8(uint8_t v) { bytes.push_back(static_cast<char>(v)); }
  void u16(uint16_t v) {
    u8(static_cast<uint8_t>(v));
    u8(static_cast<uint8_t>(v >> 8));
  }
  void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
  void u32(uint32_t v) {
    u16(static_cast<uint16_t>(v));
    u16(static_cast<uint16_t>(v >> 16));
  }
  void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
  void f64(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    u32(static_cast<uint32_t>(bits));
    u32(static_cast<uint32_t>(bits >> 32));
  }
  void raw(std::string_view text) { bytes.append(text); }
};

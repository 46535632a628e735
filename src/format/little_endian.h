// Little-endian stores and loads of one value at its own width. Binary
// records are written and read value by value through these, never by
// copying a C++ struct with its padding. The loops fold into single moves
// once inlined.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// Stores `v` at `p` in sizeof(T) bytes; returns the byte after it.
template <class T>
char* store_le(char* p, T v) {
  static_assert(std::is_integral_v<T>);
  if constexpr (std::endian::native == std::endian::little) {
    // One move: the byte loop below, in a loop over many values, is
    // vectorised into single-byte stores.
    std::memcpy(p, &v, sizeof(T));
  } else {
    using U = std::make_unsigned_t<T>;
    const U u = static_cast<U>(v);
    for (size_t i = 0; i < sizeof(T); ++i) p[i] = static_cast<char>(u >> (8 * i));
  }
  return p + sizeof(T);
}

inline char* store_le(char* p, double v) {
  return store_le(p, std::bit_cast<uint64_t>(v));
}

// Loads the sizeof(T) bytes at `p`.
template <class T>
T load_le(const char* p) {
  if constexpr (std::is_same_v<T, double>) {
    return std::bit_cast<double>(load_le<uint64_t>(p));
  } else {
    static_assert(std::is_integral_v<T>);
    using U = std::make_unsigned_t<T>;
    U u = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
      u = static_cast<U>(u | static_cast<U>(static_cast<unsigned char>(p[i])) << (8 * i));
    return static_cast<T>(u);
  }
}

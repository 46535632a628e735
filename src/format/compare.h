// Comparing two images of one kind of binary file, record by record: which
// fields of two records differ, and which stretches of two plan polylines.
#pragma once

#include <cstdint>
#include <string_view>
#include <type_traits>
#include <vector>

#include "format/layout.h"
#include "format/records.h"

// The names of the fields in which `a` and `b` differ, in file order.
template <class R>
std::vector<std::string_view> campi_diversi(const R& a, const R& b) {
  std::vector<std::string_view> out;
  visit_fields(a, b, [&](std::string_view nome, const auto& va, const auto& vb) {
    if (va != vb) out.push_back(nome);
  });
  return out;
}

// A stretch of metres, both ends included.
struct tratto_diverso {
  int32_t da = 0;
  int32_t a = 0;

  bool operator==(const tratto_diverso&) const = default;
};

// True when metre `m` holds the same two elements in both polylines: the
// same types and, for values, the same bits (as the file holds them).
bool stesso_punto(const tracciato_t& a, const tracciato_t& b, int32_t m);

// The stretches of metres whose points differ, in order. The metres only
// the longer polyline has differ, and make a stretch of their own.
std::vector<tratto_diverso> tratti_diversi(const tracciato_t& a, const tracciato_t& b);

// Whole numbers on the command line: a value that is not one, or that does
// not fit, is a usage error, never taken as the nearest number that fits.
#pragma once

#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdint>
#include <string>

// Checks that an option's value is a whole number from `min` to `max`.
inline CLI::Validator whole_number(int64_t min, int64_t max) {
  return CLI::Validator(
      [min, max](std::string& value) -> std::string {
        int64_t n = 0;
        const char* end = value.data() + value.size();
        const auto [p, ec] = std::from_chars(value.data(), end, n);
        if (ec == std::errc() && p == end && n >= min && n <= max) return "";
        return "'" + value + "' is not a whole number from " + std::to_string(min) +
               " to " + std::to_string(max);
      },
      "", "whole number");
}

// Metres along a route, as --from, --to and --at take them.
inline CLI::Validator metres() { return whole_number(-1'000'000'000, 1'000'000'000); }

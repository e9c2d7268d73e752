#include "widgets/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "base/numbered_error.h"

namespace orvane {

namespace {

[[noreturn]] void Mismatch() {
  throw NumberedError(kErrTypeMismatch, "Type mismatch");
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// "&H..." and "&O...": 32-bit patterns, so "&HFFFFFFFF" is -1 as in the program's
// own conversions.
double ParseRadix(std::string_view digits, int base) {
  if (digits.empty()) {
    Mismatch();
  }
  std::uint64_t value = 0;
  for (char c : digits) {
    int d = -1;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      d = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      d = c - 'A' + 10;
    }
    if (d < 0 || d >= base) {
      Mismatch();
    }
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
    if (value > 0xFFFFFFFFull) {
      throw NumberedError(kErrOverflow, "Overflow");
    }
  }
  return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

}  // namespace

double ParseNumberText(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  if (text.size() > 2 && text[0] == '&') {
    if (text[1] == 'H' || text[1] == 'h') {
      return ParseRadix(text.substr(2), 16);
    }
    if (text[1] == 'O' || text[1] == 'o') {
      return ParseRadix(text.substr(2), 8);
    }
  }
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // from_chars takes no sign of its own here and no "inf"/"nan" spellings.
  if (text.empty() ||
      !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.')) {
    Mismatch();
  }
  double value = 0;
  const char* end = text.data() + text.size();
  auto result = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    throw NumberedError(kErrOverflow, "Overflow");
  }
  if (result.ec != std::errc{} || result.ptr != end) {
    Mismatch();
  }
  return negative ? -value : value;
}

std::string FormatNumberText(double value) {
  std::array<char, 64> buffer{};
  auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace orvane

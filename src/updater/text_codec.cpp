#include "updater/text_codec.h"

namespace orvane {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') {
    return c - 'A';
  }
  if (c >= 'a' && c <= 'z') {
    return c - 'a' + 26;
  }
  if (c >= '0' && c <= '9') {
    return c - '0' + 52;
  }
  if (c == '+') {
    return 62;
  }
  if (c == '/') {
    return 63;
  }
  return -1;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> DecodeHex(std::string_view text) {
  if (text.size() % 2 != 0) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> out;
  out.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = HexValue(text[i]);
    const int low = HexValue(text[i + 1]);
    if (high < 0 || low < 0) {
      return std::nullopt;
    }
    out.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return out;
}

std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text) {
  if (text.size() % 4 != 0) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> out;
  out.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    int pads = 0;
    std::uint32_t group = 0;
    for (std::size_t j = 0; j < 4; ++j) {
      const char c = text[i + j];
      if (c == '=') {
        // Padding only at the end of the last group, at most two.
        if (!last || j < 2) {
          return std::nullopt;
        }
        ++pads;
        group <<= 6;
        continue;
      }
      const int value = Base64Value(c);
      if (value < 0 || pads > 0) {
        return std::nullopt;
      }
      group = (group << 6) | static_cast<std::uint32_t>(value);
    }
    // Bits the pads hide must be zero, so every byte string has one encoding.
    if ((pads == 1 && (group & 0xFFu) != 0) || (pads == 2 && (group & 0xFFFFu) != 0)) {
      return std::nullopt;
    }
    out.push_back(static_cast<std::uint8_t>(group >> 16));
    if (pads < 2) {
      out.push_back(static_cast<std::uint8_t>(group >> 8));
    }
    if (pads < 1) {
      out.push_back(static_cast<std::uint8_t>(group));
    }
  }
  return out;
}

}  // namespace orvane

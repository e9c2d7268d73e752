#include "base/shown_text.h"

namespace orvane {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";     // U+2026

bool Continuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
  return byte >= low && byte <= high;
}

// Length of the well-formed sequence at `at`, or 0 with `bad` set to the length of the
// maximal ill-formed part that starts there (at least 1).
std::size_t Sequence(std::string_view text, std::size_t at, std::size_t& bad) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0x01 && lead <= 0x7F) {
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
    high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
  } else {
    bad = 1;  // NUL, a continuation byte, or a byte that never starts a sequence
    return 0;
  }
  std::size_t n = 1;
  while (n < length && at + n < text.size()) {
    const auto byte = static_cast<unsigned char>(text[at + n]);
    if (!(n == 1 ? Continuation(byte, low, high) : Continuation(byte)))
      break;
    ++n;
  }
  if (n == length)
    return length;
  bad = n;
  return 0;
}

}  // namespace

bool IsShowableUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    std::size_t bad = 0;
    const std::size_t n = Sequence(text, at, bad);
    if (n == 0)
      return false;
    at += n;
  }
  return true;
}

std::string ShownText(std::string_view text, std::size_t longest) {
  std::string shown;
  shown.reserve(text.size() < longest * 4 ? text.size() : longest * 4);
  std::size_t characters = 0;
  for (std::size_t at = 0; at < text.size(); ++characters) {
    if (characters == longest) {
      shown += kEllipsis;
      break;
    }
    std::size_t bad = 0;
    const std::size_t n = Sequence(text, at, bad);
    if (n > 0) {
      shown.append(text.substr(at, n));
      at += n;
    } else {
      shown += kReplacement;
      at += bad;
    }
  }
  return shown;
}

}  // namespace orvane

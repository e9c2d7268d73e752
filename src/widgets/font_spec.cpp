#include "widgets/font_spec.h"

#include <array>
#include <charconv>
#include <cmath>

#include "base/numbered_error.h"

namespace orvane {

namespace {

[[noreturn]] void Mismatch() {
  throw NumberedError(kErrTypeMismatch, "Type mismatch");
}

bool Flag(std::string_view text) {
  if (text == "1") {
    return true;
  }
  if (text == "0") {
    return false;
  }
  Mismatch();
}

}  // namespace

std::string EncodeFont(const FontSpec& font) {
  std::array<char, 64> size{};
  auto result = std::to_chars(size.data(), size.data() + size.size(), font.size_points);
  std::string text(size.data(), result.ptr);
  for (bool flag : {font.bold, font.italic, font.underline, font.strikethrough}) {
    text += flag ? ";1" : ";0";
  }
  text += ';';
  text += font.name;
  return text;
}

FontSpec DecodeFont(std::string_view text) {
  std::array<std::string_view, 5> fields;
  for (auto& field : fields) {
    const auto cut = text.find(';');
    if (cut == std::string_view::npos) {
      Mismatch();
    }
    field = text.substr(0, cut);
    text.remove_prefix(cut + 1);
  }
  FontSpec font;
  const auto* end = fields[0].data() + fields[0].size();
  auto parsed = std::from_chars(fields[0].data(), end, font.size_points);
  if (parsed.ec != std::errc{} || parsed.ptr != end || !std::isfinite(font.size_points) ||
      font.size_points <= 0) {
    Mismatch();
  }
  font.bold = Flag(fields[1]);
  font.italic = Flag(fields[2]);
  font.underline = Flag(fields[3]);
  font.strikethrough = Flag(fields[4]);
  font.name = std::string(text);
  return font;
}

}  // namespace orvane

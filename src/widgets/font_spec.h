#pragma once

#include <string>
#include <string_view>

namespace orvane {

// A font as a control's surface holds it: face name (UTF-8), size in points and style.
struct FontSpec {
  std::string name;
  double size_points = 9.0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// The face the program's Chinese texts are set in.
inline constexpr std::string_view kSongTiFace = "宋体";

// The font as one stored text: "size;bold;italic;underline;strikethrough;name". The
// name goes last so that it may hold any character.
std::string EncodeFont(const FontSpec& font);
// Throws NumberedError 13 (type mismatch) for a text EncodeFont did not make.
FontSpec DecodeFont(std::string_view text);

}  // namespace orvane

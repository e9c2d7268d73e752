#pragma once

#include <string>
#include <string_view>

namespace orvane {

// Number 6 of the program's numbered errors: a value too large for its type.
inline constexpr int kErrOverflow = 6;

// A number written as text, read the way the program converts texts to numbers:
// surrounding blanks, a sign, digits with an optional decimal point and exponent, or
// "&H" hexadecimal and "&O" octal digits. Throws NumberedError 13 (type mismatch) for
// anything else, including an empty text.
double ParseNumberText(std::string_view text);

// The shortest decimal text that reads back as the same number ("255", "0.5", "-3").
std::string FormatNumberText(double value);

}  // namespace orvane

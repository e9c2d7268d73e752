#pragma once

#include <string>
#include <string_view>

namespace orvane::win32 {

// The program keeps its text in UTF-8; the wide calls of the system take UTF-16. Every
// conversion goes through here with one policy: a malformed sequence becomes U+FFFD (the
// replacement character) rather than failing, so a bad byte costs one character and never
// the whole text.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// The text in the system's ANSI code page, as the program measures captions; what the
// code page cannot show becomes its default character.
std::string Utf8ToAnsi(std::string_view utf8);

}  // namespace orvane::win32

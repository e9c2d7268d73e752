#pragma once

#include <string>
#include <string_view>

namespace orvane::win32 {

// Text conversions of the GDI drawing code.
std::wstring Utf8ToWide(std::string_view utf8);
// The text in the system's ANSI code page, as the program measures captions.
std::string Utf8ToAnsi(std::string_view utf8);

}  // namespace orvane::win32

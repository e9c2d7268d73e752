#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// Text that comes from outside the program (a page's title, an address handed over by
// another program) is shown only after this: it may be any bytes and any length.

// Longest caption drawn on a tab, in characters. No tab is wide enough to show more; a
// page's title of a megabyte would otherwise be laid out in full at every redraw.
inline constexpr std::size_t kLongestShownCaption = 512;

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF) without NUL characters.
bool IsShowableUtf8(std::string_view text);

// `text` made fit to show: every ill-formed UTF-8 sequence (each maximal part of one) and
// every NUL becomes U+FFFD; a text of more than `longest` characters keeps its first
// `longest` characters and ends in "…", so that the cut shows.
std::string ShownText(std::string_view text, std::size_t longest = kLongestShownCaption);

}  // namespace orvane

#include "browser/document_content.h"

#include <array>
#include <cctype>

namespace orvane::browser {
namespace {

bool IsSpace(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The length of the empty-element tag at the start of `text`, or 0.
std::size_t ParserTagAt(std::string_view text) {
  constexpr std::array<std::string_view, 4> kTags = {"<head>", "</head>", "<body>", "</body>"};
  for (const std::string_view tag : kTags) {
    if (text.size() < tag.size()) {
      continue;
    }
    bool same = true;
    for (std::size_t i = 0; i < tag.size() && same; ++i) {
      same = std::tolower(static_cast<unsigned char>(text[i])) == tag[i];
    }
    if (same) {
      return tag.size();
    }
  }
  return 0;
}

}  // namespace

bool RootHasContent(std::string_view root_inner_html) {
  while (!root_inner_html.empty()) {
    if (IsSpace(root_inner_html.front())) {
      root_inner_html.remove_prefix(1);
    } else if (const std::size_t tag = ParserTagAt(root_inner_html)) {
      root_inner_html.remove_prefix(tag);
    } else {
      return true;
    }
  }
  return false;
}

}  // namespace orvane::browser

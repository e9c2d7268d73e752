#pragma once

#include <string_view>

namespace orvane::browser {

// Whether a document's root element, given as its inner HTML, has any content. An empty
// response still gets an empty head and body from the HTML parser (in any letter case,
// with white space between them); those alone are no content.
bool RootHasContent(std::string_view root_inner_html);

}  // namespace orvane::browser

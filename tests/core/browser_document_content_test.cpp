// What counts as a document with content: the login window ends the program on one
// without (no connection), so an empty response must read as empty and any real page not.
#include <gtest/gtest.h>

#include "browser/document_content.h"

namespace orvane::browser {
namespace {

TEST(DocumentContent, WhatTheParserMakesOfAnEmptyResponseIsNoContent) {
  for (const char* inner : {"", "<head></head><body></body>", "<HEAD></HEAD>\r\n<BODY></BODY>",
                            "  <head></head>\n\t<body></body>  ", "<head></head>", "\r\n"}) {
    EXPECT_FALSE(RootHasContent(inner)) << inner;
  }
}

TEST(DocumentContent, AnythingElseIsContent) {
  for (const char* inner :
       {"<head><title>t</title></head><body></body>", "<head></head><body>x</body>",
        "<head></head><body><div></div></body>", "<head></head><body> </body>x",
        "<body class=\"a\"></body>", "<head></head><body><!-- --></body>", "text",
        "<head></head><bod></bod>"}) {
    EXPECT_TRUE(RootHasContent(inner)) << inner;
  }
}

}  // namespace
}  // namespace orvane::browser

// The publisher's addresses: built in at build time, replaced together by the
// ORVANE_PUBLISHER override, with the client's fixed paths.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "base/publisher.h"
#include "orvane/publisher_config.h"

namespace orvane {
namespace {

// Sets or clears the override for one test and puts the previous value back.
class ScopedOverride {
 public:
  explicit ScopedOverride(const char* value) {
    if (const char* old = std::getenv("ORVANE_PUBLISHER")) {
      previous_ = old;
    }
    Set(value);
  }
  ~ScopedOverride() { Set(previous_ ? previous_->c_str() : nullptr); }

 private:
  static void Set(const char* value) {
#ifdef _WIN32
    _putenv_s("ORVANE_PUBLISHER", value ? value : "");
#else
    if (value) {
      setenv("ORVANE_PUBLISHER", value, 1);
    } else {
      unsetenv("ORVANE_PUBLISHER");
    }
#endif
  }
  std::optional<std::string> previous_;
};

const PublisherBases kDistinct{"http://web.test", "http://static.test:8080", "https://portal.test"};

TEST(PublisherAddresses, EachPageComesFromItsOwnServerWithItsFixedPath) {
  EXPECT_EQ(UpdateFileUrl(kDistinct), "http://static.test:8080/gamehome/mirab/update.txt");
  EXPECT_EQ(LoginPageUrl(kDistinct), "http://web.test/yy/mirab/microend");
  EXPECT_EQ(TopicPageUrl(kDistinct), "https://portal.test/zt/mirab/");
  EXPECT_EQ(HomePageUrl(kDistinct), "https://portal.test/");
}

TEST(PublisherAddresses, BuiltInBasesAreTheBuildSettings) {
  const PublisherBases bases = BuiltInPublisherBases();
  EXPECT_EQ(bases.web_server, ORVANE_WEB_SERVER);
  EXPECT_EQ(bases.static_server, ORVANE_STATIC_SERVER);
  EXPECT_EQ(bases.portal, ORVANE_PORTAL);
  EXPECT_EQ(UpdateFileUrl(bases), std::string(ORVANE_STATIC_SERVER) + "/gamehome/mirab/update.txt");
}

TEST(PublisherAddresses, AnOverrideReplacesAllThreeAndLosesAFinalSlash) {
  for (const char* value :
       {"http://127.0.0.1:5123", "http://127.0.0.1:5123/", "http://127.0.0.1:5123//"}) {
    const PublisherBases bases = PublisherBasesFor(value);
    EXPECT_EQ(bases.web_server, "http://127.0.0.1:5123") << value;
    EXPECT_EQ(bases.static_server, "http://127.0.0.1:5123") << value;
    EXPECT_EQ(bases.portal, "http://127.0.0.1:5123") << value;
    EXPECT_EQ(HomePageUrl(bases), "http://127.0.0.1:5123/") << value;
  }
}

TEST(PublisherAddresses, AnEmptyOrMissingOverrideKeepsTheBuiltInBases) {
  for (const char* value : {static_cast<const char*>(nullptr), ""}) {
    const PublisherBases bases = PublisherBasesFor(value);
    EXPECT_EQ(bases.web_server, BuiltInPublisherBases().web_server);
    EXPECT_EQ(bases.static_server, BuiltInPublisherBases().static_server);
    EXPECT_EQ(bases.portal, BuiltInPublisherBases().portal);
  }
}

TEST(PublisherAddresses, TheEnvironmentVariableIsHonouredByTheProcessWideAddresses) {
  {
    ScopedOverride set("http://127.0.0.1:4711/");
    EXPECT_EQ(UpdateFileUrl(), "http://127.0.0.1:4711/gamehome/mirab/update.txt");
    EXPECT_EQ(LoginPageUrl(), "http://127.0.0.1:4711/yy/mirab/microend");
    EXPECT_EQ(TopicPageUrl(), "http://127.0.0.1:4711/zt/mirab/");
    EXPECT_EQ(HomePageUrl(), "http://127.0.0.1:4711/");
  }
  ScopedOverride cleared(nullptr);
  EXPECT_EQ(LoginPageUrl(), std::string(ORVANE_WEB_SERVER) + "/yy/mirab/microend");
  EXPECT_EQ(TopicPageUrl(), std::string(ORVANE_PORTAL) + "/zt/mirab/");
}

}  // namespace
}  // namespace orvane

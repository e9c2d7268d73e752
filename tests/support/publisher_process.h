#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace orvane::test {

// The local publisher (tools/publisher) on loopback, for tests that need real HTTP.
//
// When ORVANE_TEST_PUBLISHER is set (to "http://127.0.0.1:PORT" or just the port), that
// publisher is used and left running: this is how tests under Wine get one, since a
// Windows program cannot start the Linux-side server itself. Otherwise, natively, a
// publisher of its own is started and stopped again when the object goes.
class PublisherProcess {
 public:
  // Throws std::runtime_error, with the reason, when no publisher can be had.
  static std::unique_ptr<PublisherProcess> Start();

  virtual ~PublisherProcess() = default;
  // "http://127.0.0.1:PORT", without a final "/".
  const std::string& BaseUrl() const { return base_url_; }
  // The base address followed by `path_and_query` (which starts with "/").
  std::string Url(std::string_view path_and_query) const;

 protected:
  explicit PublisherProcess(std::string base_url) : base_url_(std::move(base_url)) {}

 private:
  std::string base_url_;
};

inline constexpr const char* kTestPublisherVariable = "ORVANE_TEST_PUBLISHER";

// The base address a value of ORVANE_TEST_PUBLISHER names; empty when it names none.
std::string PublisherBaseFromVariable(std::string_view value);

// The publisher the test runner named, or nothing.
std::unique_ptr<PublisherProcess> PublisherNamedByRunner();

}  // namespace orvane::test

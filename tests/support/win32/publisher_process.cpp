// Under Wine the publisher runs on the Linux side: the test runner starts one and names
// it in ORVANE_TEST_PUBLISHER.
#include "support/publisher_process.h"

#include <stdexcept>

namespace orvane::test {

std::unique_ptr<PublisherProcess> PublisherProcess::Start() {
  if (std::unique_ptr<PublisherProcess> named = PublisherNamedByRunner()) {
    return named;
  }
  throw std::runtime_error(
      "publisher: ORVANE_TEST_PUBLISHER is not set; start tools/publisher and set it to its "
      "address (tools/test does this)");
}

}  // namespace orvane::test

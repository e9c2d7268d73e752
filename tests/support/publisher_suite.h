#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <memory>
#include <string>

#include "support/publisher_process.h"

namespace orvane::test {

// A test suite whose tests share one publisher, started before the first test and stopped
// after the last. A publisher that cannot be had fails every test of the suite, with the
// reason: a derived fixture's SetUp asserts `publisher_` first.
class PublisherSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    publisher_problem_.clear();
    try {
      publisher_ = PublisherProcess::Start();
    } catch (const std::exception& error) {
      publisher_problem_ = error.what();
    }
  }
  static void TearDownTestSuite() { publisher_.reset(); }

  static inline std::unique_ptr<PublisherProcess> publisher_;
  static inline std::string publisher_problem_;
};

}  // namespace orvane::test

#include "support/publisher_process.h"

#include <cstdlib>

namespace orvane::test {
namespace {

class RunnerPublisher final : public PublisherProcess {
 public:
  explicit RunnerPublisher(std::string base) : PublisherProcess(std::move(base)) {}
};

bool AllDigits(std::string_view text) {
  if (text.empty()) {
    return false;
  }
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string PublisherProcess::Url(std::string_view path_and_query) const {
  return base_url_ + std::string(path_and_query);
}

std::string PublisherBaseFromVariable(std::string_view value) {
  while (!value.empty() && (value.back() == '/' || value.back() == ' ')) {
    value.remove_suffix(1);
  }
  if (AllDigits(value)) {
    return "http://127.0.0.1:" + std::string(value);
  }
  if (value.rfind("http://", 0) == 0 && value.size() > 7) {
    return std::string(value);
  }
  return {};
}

std::unique_ptr<PublisherProcess> PublisherNamedByRunner() {
  const char* value = std::getenv(kTestPublisherVariable);
  if (value == nullptr) {
    return nullptr;
  }
  std::string base = PublisherBaseFromVariable(value);
  if (base.empty()) {
    return nullptr;
  }
  return std::make_unique<RunnerPublisher>(std::move(base));
}

}  // namespace orvane::test

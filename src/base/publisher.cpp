#include "base/publisher.h"

#include <cstdlib>

#include "base/product.h"
#include "orvane/publisher_config.h"

namespace orvane {
namespace {

std::string WithoutFinalSlashes(std::string address) {
  while (!address.empty() && address.back() == '/') {
    address.pop_back();
  }
  return address;
}

}  // namespace

PublisherBases BuiltInPublisherBases() {
  return {WithoutFinalSlashes(ORVANE_WEB_SERVER), WithoutFinalSlashes(ORVANE_STATIC_SERVER),
          WithoutFinalSlashes(ORVANE_PORTAL)};
}

PublisherBases PublisherBasesFor(const char* override_value) {
  if (override_value == nullptr || *override_value == '\0') {
    return BuiltInPublisherBases();
  }
  const std::string base = WithoutFinalSlashes(override_value);
  return {base, base, base};
}

PublisherBases CurrentPublisherBases() {
  return PublisherBasesFor(std::getenv(std::string(kPublisherOverrideVariable).c_str()));
}

std::string UpdateFileUrl(const PublisherBases& bases) {
  return bases.static_server + "/gamehome/" + std::string(kGameName) + "/update.txt";
}

std::string LoginPageUrl(const PublisherBases& bases) {
  return bases.web_server + "/yy/" + std::string(kGameName) + "/microend";
}

std::string TopicPageUrl(const PublisherBases& bases) {
  return bases.portal + "/zt/" + std::string(kGameName) + "/";
}

std::string HomePageUrl(const PublisherBases& bases) {
  return bases.portal + "/";
}

std::string UpdateFileUrl() {
  return UpdateFileUrl(CurrentPublisherBases());
}
std::string LoginPageUrl() {
  return LoginPageUrl(CurrentPublisherBases());
}
std::string TopicPageUrl() {
  return TopicPageUrl(CurrentPublisherBases());
}
std::string HomePageUrl() {
  return HomePageUrl(CurrentPublisherBases());
}

}  // namespace orvane

#pragma once

#include <string>
#include <string_view>

namespace orvane {

// Base addresses (scheme and host, optionally a port, no final "/") of the three
// publisher servers the client talks to.
struct PublisherBases {
  std::string web_server;     // serves the login page
  std::string static_server;  // serves the update file
  std::string portal;         // serves the home page and the game's topic page
};

// Name of the environment variable that replaces all three bases with one address, so
// that a development or test build can talk to a publisher on the local machine.
inline constexpr std::string_view kPublisherOverrideVariable = "ORVANE_PUBLISHER";

// The bases chosen when the program was built.
PublisherBases BuiltInPublisherBases();

// The bases in effect for an override value: a non-empty value replaces all three
// (a final "/" is dropped); null or empty keeps the built-in ones.
PublisherBases PublisherBasesFor(const char* override_value);

// The bases in effect for this process: the override variable when it is set.
PublisherBases CurrentPublisherBases();

std::string UpdateFileUrl(const PublisherBases& bases);
std::string LoginPageUrl(const PublisherBases& bases);
std::string TopicPageUrl(const PublisherBases& bases);
std::string HomePageUrl(const PublisherBases& bases);

// The same addresses for the bases in effect for this process.
std::string UpdateFileUrl();
std::string LoginPageUrl();
std::string TopicPageUrl();
std::string HomePageUrl();

}  // namespace orvane

#include "widgets/property_values.h"

#include <type_traits>

#include "base/numbered_error.h"
#include "base/rounding.h"
#include "widgets/number_text.h"

namespace orvane {

namespace {

[[noreturn]] void Mismatch() {
  throw NumberedError(kErrTypeMismatch, "Type mismatch");
}

}  // namespace

bool PropertyAsBool(const PropertyValue& value) {
  return std::visit(
      [](const auto& v) -> bool {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, bool>) {
          return v;
        } else if constexpr (std::is_same_v<T, std::int64_t> || std::is_same_v<T, double>) {
          return v != 0;
        } else if constexpr (std::is_same_v<T, std::string>) {
          if (v == "True") {
            return true;
          }
          if (v == "False") {
            return false;
          }
          return ParseNumberText(v) != 0;
        } else {
          Mismatch();
        }
      },
      value);
}

std::int64_t PropertyAsInteger(const PropertyValue& value) {
  return std::visit(
      [](const auto& v) -> std::int64_t {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, bool>) {
          return v ? -1 : 0;
        } else if constexpr (std::is_same_v<T, std::int64_t>) {
          return v;
        } else if constexpr (std::is_same_v<T, double>) {
          return RoundHalfEven(v);
        } else if constexpr (std::is_same_v<T, std::string>) {
          return RoundHalfEven(ParseNumberText(v));
        } else {
          Mismatch();
        }
      },
      value);
}

std::string PropertyAsText(const PropertyValue& value) {
  return std::visit(
      [](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, bool>) {
          return v ? "True" : "False";
        } else if constexpr (std::is_same_v<T, std::int64_t>) {
          return std::to_string(v);
        } else if constexpr (std::is_same_v<T, double>) {
          return FormatNumberText(v);
        } else if constexpr (std::is_same_v<T, std::string>) {
          return v;
        } else {
          Mismatch();
        }
      },
      value);
}

std::vector<std::uint8_t> PropertyAsBytes(const PropertyValue& value) {
  if (const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value)) {
    return *bytes;
  }
  Mismatch();
}

}  // namespace orvane

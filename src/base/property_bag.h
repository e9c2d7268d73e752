#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace orvane {

// A stored design-time value of a control: flag, integer, number, text or bytes.
using PropertyValue = std::variant<bool, std::int64_t, double, std::string, std::vector<std::uint8_t>>;

// The named values a host form keeps for one of its controls. A value equal to its
// default is not stored, so a bag only ever holds what differs from the defaults.
class PropertyBag {
 public:
  // Stores `value` under `name`, or forgets the name when the value equals the default.
  void Write(std::string_view name, const PropertyValue& value,
             const std::optional<PropertyValue>& default_value = std::nullopt);
  // The stored value, or `default_value` when the name is absent.
  PropertyValue Read(std::string_view name, const PropertyValue& default_value) const;
  bool Contains(std::string_view name) const;
  // Names in the order they were first written.
  std::vector<std::string> Names() const;
  bool Empty() const { return entries_.empty(); }

 private:
  std::vector<std::pair<std::string, PropertyValue>> entries_;
};

}  // namespace orvane

#include "base/property_bag.h"

#include <algorithm>

namespace orvane {

void PropertyBag::Write(std::string_view name, const PropertyValue& value,
                        const std::optional<PropertyValue>& default_value) {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const auto& entry) { return entry.first == name; });
  if (default_value && *default_value == value) {
    if (it != entries_.end()) {
      entries_.erase(it);
    }
    return;
  }
  if (it != entries_.end()) {
    it->second = value;
  } else {
    entries_.emplace_back(std::string(name), value);
  }
}

PropertyValue PropertyBag::Read(std::string_view name, const PropertyValue& default_value) const {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const auto& entry) { return entry.first == name; });
  return it != entries_.end() ? it->second : default_value;
}

bool PropertyBag::Contains(std::string_view name) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const auto& entry) { return entry.first == name; });
}

std::vector<std::string> PropertyBag::Names() const {
  std::vector<std::string> names;
  names.reserve(entries_.size());
  for (const auto& entry : entries_) {
    names.push_back(entry.first);
  }
  return names;
}

}  // namespace orvane

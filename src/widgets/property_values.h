#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/property_bag.h"

namespace orvane {

// Reading stored control properties back as the type a property has. A stored value
// of another kind converts as the program's variants do (a number to a flag, a flag to
// -1 or 0, digits to a number); anything else fails with NumberedError 13.
bool PropertyAsBool(const PropertyValue& value);
std::int64_t PropertyAsInteger(const PropertyValue& value);
std::string PropertyAsText(const PropertyValue& value);
std::vector<std::uint8_t> PropertyAsBytes(const PropertyValue& value);

}  // namespace orvane

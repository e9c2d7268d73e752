// The strip's design-time settings as the host form keeps them.
#include <cmath>
#include <limits>

#include "base/property_bag.h"
#include "base/rounding.h"
#include "tabstrip/utab.h"

namespace orvane {
namespace {

constexpr const char* kTabStyleName = "TabStyle";
constexpr const char* kTabLeftSizeName = "TabLeftSize";
constexpr const char* kTabRightSizeName = "TabRightSize";

constexpr std::int32_t kDefaultTabStyle = 0;
constexpr std::int32_t kDefaultTabLeftSize = 40;
constexpr std::int32_t kDefaultTabRightSize = 0;

// A stored value as a 32-bit integer; a value of another kind keeps `current`.
std::int32_t ReadInt32(const PropertyBag& bag, const char* name, std::int32_t current) {
  const PropertyValue value = bag.Read(name, std::int64_t{current});
  if (const auto* number = std::get_if<std::int64_t>(&value)) {
    if (*number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::int32_t>::max()) {
      return current;
    }
    return static_cast<std::int32_t>(*number);
  }
  if (const auto* real = std::get_if<double>(&value)) {
    return std::isfinite(*real) ? CLng(*real) : current;
  }
  if (const auto* flag = std::get_if<bool>(&value)) {
    return *flag ? -1 : 0;
  }
  return current;
}

}  // namespace

void uTab::ReadProperties(const PropertyBag& bag) {
  tab_style_ = ReadInt32(bag, kTabStyleName, tab_style_);
  left_size_ = ReadInt32(bag, kTabLeftSizeName, left_size_);
  right_size_ = ReadInt32(bag, kTabRightSizeName, right_size_);
}

void uTab::WriteProperties(PropertyBag& bag) const {
  bag.Write(kTabStyleName, std::int64_t{tab_style_}, std::int64_t{kDefaultTabStyle});
  bag.Write(kTabLeftSizeName, std::int64_t{left_size_}, std::int64_t{kDefaultTabLeftSize});
  bag.Write(kTabRightSizeName, std::int64_t{right_size_}, std::int64_t{kDefaultTabRightSize});
}

}  // namespace orvane

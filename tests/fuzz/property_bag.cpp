// The property store under random writes and reads, checked against a plain model: a
// value equal to its default is forgotten, names keep the order of their first write.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "base/property_bag.h"
#include "fuzz/fuzz_check.h"

namespace {

using orvane::PropertyValue;

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return position_ < size_; }
  std::uint8_t Next() { return position_ < size_ ? data_[position_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

std::string NextName(Bytes& bytes) {
  static constexpr const char* kNames[] = {"Caption", "caption",   "Font",
                                           "",        "BackColor", "\xE5\x90\x8D"};
  return kNames[bytes.Next() % 6];
}

PropertyValue NextValue(Bytes& bytes) {
  const std::uint8_t pick = bytes.Next();
  switch (pick % 6) {
    case 0:
      return (pick & 0x80) != 0;
    case 1:
      return static_cast<std::int64_t>(static_cast<std::int8_t>(bytes.Next()));
    case 2: {
      // Any bit pattern, NaN and negative zero included.
      std::uint64_t bits = 0;
      for (int i = 0; i < 8; ++i) {
        bits = (bits << 8) | bytes.Next();
      }
      double number = 0;
      std::memcpy(&number, &bits, sizeof number);
      return number;
    }
    case 3:
      return std::string(bytes.Next() % 4, static_cast<char>('a' + pick % 3));
    case 4:
      return std::vector<std::uint8_t>(bytes.Next() % 3, pick);
    default:
      return 0.0;
  }
}

// Values compared as stored: the same alternative and the same bits, so that a NaN
// read back counts as the NaN written.
bool SameStored(const PropertyValue& a, const PropertyValue& b) {
  if (a.index() != b.index()) {
    return false;
  }
  if (const double* x = std::get_if<double>(&a)) {
    return std::memcmp(x, std::get_if<double>(&b), sizeof(double)) == 0;
  }
  return a == b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, size);
  orvane::PropertyBag bag;
  std::vector<std::pair<std::string, PropertyValue>> model;
  const PropertyValue absent = std::string("\x01") + "absent";

  for (int step = 0; step < 256 && bytes.More(); ++step) {
    const std::string name = NextName(bytes);
    auto found = model.begin();
    while (found != model.end() && found->first != name) {
      ++found;
    }
    if (bytes.Next() % 2 == 0) {
      const PropertyValue value = NextValue(bytes);
      std::optional<PropertyValue> default_value;
      if (bytes.Next() % 2 == 0) {
        default_value = bytes.Next() % 2 == 0 ? value : NextValue(bytes);
      }
      bag.Write(name, value, default_value);
      if (default_value && *default_value == value) {
        if (found != model.end()) {
          model.erase(found);
        }
      } else if (found != model.end()) {
        found->second = value;
      } else {
        model.emplace_back(name, value);
      }
    } else {
      const PropertyValue read = bag.Read(name, absent);
      FUZZ_CHECK(SameStored(read, found == model.end() ? absent : found->second));
    }

    FUZZ_CHECK(bag.Empty() == model.empty());
    const std::vector<std::string> names = bag.Names();
    FUZZ_CHECK(names.size() == model.size());
    for (std::size_t i = 0; i < model.size(); ++i) {
      FUZZ_CHECK(names[i] == model[i].first);
      FUZZ_CHECK(bag.Contains(model[i].first));
      FUZZ_CHECK(SameStored(bag.Read(model[i].first, absent), model[i].second));
    }
  }
  return 0;
}

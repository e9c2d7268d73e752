// The tab list driven by random sequences of adds, removes, finds and releases, checked
// step by step against a plain model of what the list must hold.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/numbered_error.h"
#include "core/tab_model_fakes.h"
#include "fuzz/fuzz_check.h"
#include "tabstrip/tab_items.h"

namespace {

using orvane::CTabItem;
using orvane::NumberedError;
using orvane::TabIndex;
using orvane::testing::FakePage;
using orvane::testing::ModelFixtureState;

// Hands out the input's bytes; zeros once they are used up.
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

struct ModelTab {
  std::optional<std::string> key;
  std::shared_ptr<FakePage> page;
  std::shared_ptr<CTabItem> item;
};

std::string Fold(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

// Short keys from a small alphabet, so that equal keys (in any letter case) come often.
std::string NextKey(Bytes& bytes) {
  static constexpr const char* kPieces[] = {"a",        "A", "b", "B", "0", "1", "\xE6\xB8\xB8",
                                            "http://x/"};
  std::string key;
  const int length = bytes.Next() % 3;
  for (int i = 0; i < length; ++i) {
    key += kPieces[bytes.Next() % 8];
  }
  return key;
}

double NextNumber(Bytes& bytes, std::int32_t count) {
  switch (bytes.Next() % 10) {
    case 0:
      return -1;
    case 1:
      return -0.5;
    case 2:
      return 0.5;
    case 3:
      return 1.5;
    case 4:
      return count;
    case 5:
      return count - 0.5;
    case 6:
      return std::numeric_limits<double>::quiet_NaN();
    case 7:
      return 1e300;
    case 8:
      return -1e300;
    default:
      return bytes.Next() % 8;
  }
}

// The position a number names in the model, when it names one in 0 .. limit.
std::optional<std::int32_t> ModelPosition(double number, std::int32_t limit) {
  if (std::isnan(number)) {
    return std::nullopt;
  }
  const double rounded = std::nearbyint(number);  // half to even
  if (rounded < 0 || rounded > limit) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(rounded);
}

class Run {
 public:
  explicit Run(Bytes& bytes) : bytes_(bytes) {}

  void Step() {
    switch (bytes_.Next() % 7) {
      case 0:
        Add();
        break;
      case 1:
        Remove();
        break;
      case 2:
        Find();
        break;
      case 3:
        Release();
        break;
      case 4:
        Clear();
        break;
      case 5:
        s_.strip->allow_remove = !s_.strip->allow_remove;
        break;
      default:
        ItemByKey();
        break;
    }
    s_.log.clear();
    Check();
  }

 private:
  std::int32_t Count() const { return static_cast<std::int32_t>(model_.size()); }

  std::int32_t ModelFindKey(const std::string& key) const {
    for (std::size_t i = 0; i < model_.size(); ++i) {
      if (model_[i].key && Fold(*model_[i].key) == Fold(key)) {
        return static_cast<std::int32_t>(i);
      }
    }
    return -1;
  }

  // An index of any kind, with the position the model expects it to name (-1: none).
  std::pair<TabIndex, std::int32_t> NextIndex() {
    const std::uint8_t kind = bytes_.Next() % 5;
    const std::size_t pick = Count() == 0 ? 0 : bytes_.Next() % model_.size();
    if (kind == 0) {
      const double number = NextNumber(bytes_, Count());
      const auto position = ModelPosition(number, Count() - 1);
      return {TabIndex(number), position ? *position : -1};
    }
    if (kind == 1) {
      const std::string key = NextKey(bytes_);
      return {TabIndex(key), ModelFindKey(key)};
    }
    if (kind == 2 && Count() > 0) {
      return {TabIndex(model_[pick].page), static_cast<std::int32_t>(pick)};
    }
    if (kind == 3 && Count() > 0) {
      return {TabIndex(model_[pick].item), static_cast<std::int32_t>(pick)};
    }
    // A page that is in no tab.
    return {TabIndex(stranger_), -1};
  }

  void Add() {
    const std::shared_ptr<FakePage> page = s_.NewPage();
    std::optional<std::string> key;
    if (bytes_.Next() % 3 != 0) {
      key = NextKey(bytes_);
    }
    std::optional<TabIndex> index;
    std::optional<std::int32_t> position = Count();
    int expected_error = 0;
    switch (bytes_.Next() % 3) {
      case 0:
        break;
      case 1: {
        const double number = NextNumber(bytes_, Count());
        index = TabIndex(number);
        position = ModelPosition(number, Count());
        if (!position) {
          expected_error = std::isnan(number) ? 5 : 9;
        }
        break;
      }
      default:
        // A key is no position.
        index = TabIndex(NextKey(bytes_));
        expected_error = 5;
        break;
    }
    if (expected_error == 0 && key && ModelFindKey(*key) >= 0) {
      expected_error = orvane::kErrDuplicateKey;
    }
    int error = 0;
    try {
      FUZZ_CHECK(s_.items().Add("caption", page, key, index));
    } catch (const NumberedError& e) {
      error = e.Number();
    }
    FUZZ_CHECK(error == expected_error);
    // Introduced to the strip by the list and again as the new item's page.
    FUZZ_CHECK(page->initialize_calls == 2);
    if (error == 0) {
      model_.insert(model_.begin() + *position, ModelTab{key, page, s_.items().Item(*position)});
    }
  }

  void Remove() {
    auto [index, expected] = NextIndex();
    const bool unload = bytes_.Next() % 2 == 0;
    const bool removed = s_.items().Remove(index, unload);
    const bool allowed = s_.strip->allow_remove;
    FUZZ_CHECK(removed == (expected >= 0 && allowed));
    if (removed) {
      const std::shared_ptr<FakePage> page = model_[static_cast<std::size_t>(expected)].page;
      FUZZ_CHECK(page->unload_calls == (unload ? 1 : 0));
      model_.erase(model_.begin() + expected);
    }
  }

  void Find() {
    auto [index, expected] = NextIndex();
    FUZZ_CHECK(s_.items().FindItem(index) == expected);
    if (index.key() == nullptr) {
      const std::shared_ptr<CTabItem> item = s_.items().Item(index);
      FUZZ_CHECK(expected < 0 ? item == nullptr
                              : item == model_[static_cast<std::size_t>(expected)].item);
    }
  }

  void ItemByKey() {
    const std::string key = NextKey(bytes_);
    const std::int32_t expected = ModelFindKey(key);
    try {
      const std::shared_ptr<CTabItem> item = s_.items().Item(key);
      FUZZ_CHECK(expected >= 0 && item == model_[static_cast<std::size_t>(expected)].item);
    } catch (const NumberedError& e) {
      FUZZ_CHECK(expected < 0 && e.Number() == 5);
    }
  }

  void Release() {
    auto [index, expected] = NextIndex();
    const std::shared_ptr<orvane::ITabForm> form = s_.items().ReleaseForm(index);
    if (expected < 0 || !s_.strip->allow_remove) {
      FUZZ_CHECK(form == nullptr);
      return;
    }
    const std::shared_ptr<FakePage> page = model_[static_cast<std::size_t>(expected)].page;
    FUZZ_CHECK(form == page);
    FUZZ_CHECK(page->unload_calls == 0);
    model_.erase(model_.begin() + expected);
  }

  void Clear() {
    s_.items().Clear();
    for (const ModelTab& tab : model_) {
      FUZZ_CHECK(tab.page->unload_calls == 1);
    }
    model_.clear();
  }

  void Check() {
    FUZZ_CHECK(s_.items().Count() == Count());
    for (std::int32_t i = 0; i < Count(); ++i) {
      const ModelTab& tab = model_[static_cast<std::size_t>(i)];
      const std::shared_ptr<CTabItem> item = s_.items().Item(i);
      FUZZ_CHECK(item == tab.item && item->Form() == tab.page);
      FUZZ_CHECK(item->Owner() == s_.strip.get());
      FUZZ_CHECK(s_.items().FindItem(tab.page) == i);
      FUZZ_CHECK(s_.items().FindItem(item) == i);
      FUZZ_CHECK(s_.items().FindItem(static_cast<double>(i)) == i);
      if (tab.key) {
        // Keys stay unique without regard to letter case.
        FUZZ_CHECK(s_.items().FindItem(*tab.key) == i);
        FUZZ_CHECK(s_.items().FindItem(Fold(*tab.key)) == i);
      }
    }
    FUZZ_CHECK(s_.items().FindItem(Count()) == -1);
    FUZZ_CHECK(s_.items().FindItem(stranger_) == -1);
  }

  Bytes& bytes_;
  ModelFixtureState s_;
  std::shared_ptr<FakePage> stranger_ = s_.NewPage();
  std::vector<ModelTab> model_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, size);
  Run run(bytes);
  // Bounded so that one input stays quick.
  for (int step = 0; step < 256 && bytes.More(); ++step) {
    run.Step();
  }
  return 0;
}

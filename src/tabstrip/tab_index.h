#pragma once

#include <concepts>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "tabstrip/tab_form.h"

namespace orvane {

class CTabItem;

// How a caller names a tab: by key (a string, even one made of digits), by position (a
// number, rounded half to even), by its page or by the item itself. Resolution tries the
// kinds in that order.
class TabIndex {
 public:
  using Value = std::variant<std::string, double, ITabForm*, CTabItem*>;

  TabIndex(std::string key) : value_(std::move(key)) {}
  TabIndex(std::string_view key) : value_(std::string(key)) {}
  TabIndex(const char* key) : value_(std::string(key ? key : "")) {}
  TabIndex(double position) : value_(position) {}
  template <std::integral I>
  TabIndex(I position) : value_(static_cast<double>(position)) {}
  TabIndex(ITabForm* page) : value_(page) {}
  TabIndex(CTabItem* item) : value_(item) {}
  template <class T>
  requires std::is_convertible_v<T*, ITabForm*> TabIndex(const std::shared_ptr<T>& page)
      : value_(static_cast<ITabForm*>(page.get())) {}
  TabIndex(const std::shared_ptr<CTabItem>& item) : value_(item.get()) {}

  const Value& value() const { return value_; }
  const std::string* key() const { return std::get_if<std::string>(&value_); }
  const double* number() const { return std::get_if<double>(&value_); }
  ITabForm* page() const {
    auto p = std::get_if<ITabForm*>(&value_);
    return p ? *p : nullptr;
  }
  CTabItem* item() const {
    auto p = std::get_if<CTabItem*>(&value_);
    return p ? *p : nullptr;
  }

 private:
  Value value_;
};

}  // namespace orvane

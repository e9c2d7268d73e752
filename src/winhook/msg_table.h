#pragma once

#include <windows.h>

#include <array>

namespace orvane::win32 {

// One message filter of a hooked window: nothing (count 0), every message (count -1) or
// the messages in slots 1..count, where an emptied slot holds 0 and matches nothing.
class MsgTable {
 public:
  static constexpr int kCapacity = 32;
  static constexpr UINT kAll = static_cast<UINT>(-1);

  enum class AddResult { kAdded, kPresent, kOverflow };

  // kAll makes the table match everything. Otherwise the message goes into the first
  // emptied slot or after the used ones; a full table is left unchanged (kOverflow).
  AddResult Add(UINT msg) noexcept;
  // kAll empties the table. Otherwise the message's slot is emptied; a table matching
  // everything is left as it is.
  void Delete(UINT msg) noexcept;
  void Clear() noexcept { count_ = 0; }
  bool Contains(UINT msg) const noexcept;
  int Count() const noexcept { return count_; }

 private:
  int count_ = 0;
  std::array<UINT, kCapacity> slots_{};
};

}  // namespace orvane::win32

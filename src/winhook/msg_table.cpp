#include "winhook/msg_table.h"

namespace orvane::win32 {

MsgTable::AddResult MsgTable::Add(UINT msg) noexcept {
  if (msg == kAll) {
    count_ = -1;
    return AddResult::kAdded;
  }
  // Message 0 would read as an emptied slot; it cannot be filtered.
  if (msg == 0)
    return AddResult::kPresent;
  // Adding one message to an everything-table narrows it to that message.
  if (count_ < 0)
    count_ = 0;
  // Look for the message among all used slots first: storing it again in an earlier
  // emptied slot would leave a copy behind that a later delete does not remove.
  for (int i = 0; i < count_; ++i) {
    if (slots_[i] == msg)
      return AddResult::kPresent;
  }
  for (int i = 0; i < count_; ++i) {
    if (slots_[i] == 0) {
      slots_[i] = msg;
      return AddResult::kAdded;
    }
  }
  if (count_ >= kCapacity)
    return AddResult::kOverflow;
  slots_[count_++] = msg;
  return AddResult::kAdded;
}

void MsgTable::Delete(UINT msg) noexcept {
  if (msg == kAll) {
    count_ = 0;
    return;
  }
  for (int i = 0; i < count_; ++i) {
    if (slots_[i] == msg) {
      slots_[i] = 0;
      return;
    }
  }
}

bool MsgTable::Contains(UINT msg) const noexcept {
  if (count_ < 0)
    return true;
  if (msg == 0)
    return false;
  for (int i = 0; i < count_; ++i) {
    if (slots_[i] == msg)
      return true;
  }
  return false;
}

}  // namespace orvane::win32

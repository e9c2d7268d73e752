#pragma once
// The shell's notification-icon record in its ANSI form with balloon fields (shell
// version 5 layout), written byte by byte so that its layout never depends on the headers
// of the compiler that builds the program. The 32-bit program hands the shell the
// 488-byte record; the 64-bit build, whose handles are 8 bytes wide, the same fields in
// the 504-byte layout of its platform.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace orvane {

inline constexpr std::size_t kNotifyIconRecordSize = 488;
// The one icon the program shows has this identifier.
inline constexpr std::uint32_t kNotifyIconId = 1000;
// The message the shell sends to the owner window for the icon's mouse events.
inline constexpr std::uint32_t kTrayCallbackMessage = 0x1862;

// Which fields of the record the shell is to read.
inline constexpr std::uint32_t kNotifyIconMessageValid = 0x01;
inline constexpr std::uint32_t kNotifyIconIconValid = 0x02;
inline constexpr std::uint32_t kNotifyIconTipValid = 0x04;
inline constexpr std::uint32_t kNotifyIconInfoValid = 0x10;
inline constexpr std::uint32_t kNotifyIconFlags =
    kNotifyIconMessageValid | kNotifyIconIconValid | kNotifyIconTipValid | kNotifyIconInfoValid;
static_assert(kNotifyIconFlags == 0x17);

// Where each field lies.
struct NotifyIconField {
  std::size_t offset;
  std::size_t size;
};
namespace notify_icon_field {
inline constexpr NotifyIconField kSize{0, 4};
inline constexpr NotifyIconField kWindow{4, 4};
inline constexpr NotifyIconField kId{8, 4};
inline constexpr NotifyIconField kFlags{12, 4};
inline constexpr NotifyIconField kCallbackMessage{16, 4};
inline constexpr NotifyIconField kIcon{20, 4};
inline constexpr NotifyIconField kTip{24, 128};
inline constexpr NotifyIconField kState{152, 4};
inline constexpr NotifyIconField kStateMask{156, 4};
inline constexpr NotifyIconField kInfo{160, 256};
inline constexpr NotifyIconField kTimeout{416, 4};
inline constexpr NotifyIconField kInfoTitle{420, 64};
inline constexpr NotifyIconField kInfoFlags{484, 4};
}  // namespace notify_icon_field
static_assert(notify_icon_field::kInfoFlags.offset + notify_icon_field::kInfoFlags.size ==
              kNotifyIconRecordSize);

// Where each field lies in one layout of the record.
struct NotifyIconLayout {
  std::size_t record_size;
  NotifyIconField size, window, id, flags, callback_message, icon, tip, state, state_mask, info,
      timeout, info_title, info_flags;
};

// The 32-bit program's record: the fields above.
inline constexpr NotifyIconLayout kNotifyIconLayout32{
    kNotifyIconRecordSize,         notify_icon_field::kSize,
    notify_icon_field::kWindow,    notify_icon_field::kId,
    notify_icon_field::kFlags,     notify_icon_field::kCallbackMessage,
    notify_icon_field::kIcon,      notify_icon_field::kTip,
    notify_icon_field::kState,     notify_icon_field::kStateMask,
    notify_icon_field::kInfo,      notify_icon_field::kTimeout,
    notify_icon_field::kInfoTitle, notify_icon_field::kInfoFlags};

// The 64-bit build's record: the window and the icon are 8-byte handles on 8-byte
// boundaries, which moves every field behind them.
inline constexpr std::size_t kNotifyIconRecordSize64 = 504;
namespace notify_icon_field64 {
inline constexpr NotifyIconField kSize{0, 4};
inline constexpr NotifyIconField kWindow{8, 8};
inline constexpr NotifyIconField kId{16, 4};
inline constexpr NotifyIconField kFlags{20, 4};
inline constexpr NotifyIconField kCallbackMessage{24, 4};
inline constexpr NotifyIconField kIcon{32, 8};
inline constexpr NotifyIconField kTip{40, 128};
inline constexpr NotifyIconField kState{168, 4};
inline constexpr NotifyIconField kStateMask{172, 4};
inline constexpr NotifyIconField kInfo{176, 256};
inline constexpr NotifyIconField kTimeout{432, 4};
inline constexpr NotifyIconField kInfoTitle{436, 64};
inline constexpr NotifyIconField kInfoFlags{500, 4};
}  // namespace notify_icon_field64
static_assert(notify_icon_field64::kInfoFlags.offset + notify_icon_field64::kInfoFlags.size ==
              kNotifyIconRecordSize64);
inline constexpr NotifyIconLayout kNotifyIconLayout64{
    kNotifyIconRecordSize64,         notify_icon_field64::kSize,
    notify_icon_field64::kWindow,    notify_icon_field64::kId,
    notify_icon_field64::kFlags,     notify_icon_field64::kCallbackMessage,
    notify_icon_field64::kIcon,      notify_icon_field64::kTip,
    notify_icon_field64::kState,     notify_icon_field64::kStateMask,
    notify_icon_field64::kInfo,      notify_icon_field64::kTimeout,
    notify_icon_field64::kInfoTitle, notify_icon_field64::kInfoFlags};

// Tells whether a byte of an ANSI text starts a two-byte character (the lead bytes of the
// system's double-byte code page); empty for single-byte code pages.
using LeadBytePredicate = std::function<bool(std::uint8_t)>;

// The longest start of `ansi` that fits a text field of `field_size` bytes together with
// its terminating NUL, never ending inside a two-byte character.
std::string_view CutToTextField(std::string_view ansi, std::size_t field_size,
                                const LeadBytePredicate& is_lead_byte = {});

template <const NotifyIconLayout& Layout>
class BasicNotifyIconRecord {
 public:
  static constexpr const NotifyIconLayout& kLayout = Layout;

  // Zeroed: the balloon fields stay empty until SetBalloon.
  BasicNotifyIconRecord() = default;

  // What the add and modify requests carry: size, window, identifier 1000, the four valid
  // flags, callback message, icon and tip. Handles come as 32-bit values, as the program
  // passes windows around; an 8-byte handle field gets them sign-extended, the way the
  // platform widens a 32-bit handle.
  void SetIcon(std::uint32_t window, std::uint32_t icon, std::uint32_t callback_message,
               std::string_view tip_ansi, const LeadBytePredicate& is_lead_byte = {});
  // Balloon title, text and icon flags; every other field keeps its value.
  void SetBalloon(std::string_view title_ansi, std::string_view info_ansi, std::uint32_t info_flags,
                  const LeadBytePredicate& is_lead_byte = {});
  // Empty balloon texts, which takes a shown balloon away.
  void ClearBalloon();

  // A number field of 4 or 8 bytes.
  std::uint64_t Number(NotifyIconField field) const;
  // The text of a field up to its first NUL.
  std::string_view Text(NotifyIconField field) const;

  const std::uint8_t* data() const { return bytes_.data(); }
  std::uint8_t* data() { return bytes_.data(); }
  const std::array<std::uint8_t, Layout.record_size>& Bytes() const { return bytes_; }

 private:
  void PutNumber(NotifyIconField field, std::uint64_t value);
  void PutText(NotifyIconField field, std::string_view text, const LeadBytePredicate& is_lead);

  alignas(8) std::array<std::uint8_t, Layout.record_size> bytes_{};
};

// The 488-byte record of the 32-bit program.
using NotifyIconRecord = BasicNotifyIconRecord<kNotifyIconLayout32>;
// The 504-byte record of the 64-bit build.
using NotifyIconRecord64 = BasicNotifyIconRecord<kNotifyIconLayout64>;
extern template class BasicNotifyIconRecord<kNotifyIconLayout32>;
extern template class BasicNotifyIconRecord<kNotifyIconLayout64>;

}  // namespace orvane

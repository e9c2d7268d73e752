#pragma once
// The shell's notification-icon record in its 488-byte ANSI form with balloon fields
// (shell version 5 layout), written byte by byte so that its layout never depends on the
// headers of the compiler that builds the program.

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

// Tells whether a byte of an ANSI text starts a two-byte character (the lead bytes of the
// system's double-byte code page); empty for single-byte code pages.
using LeadBytePredicate = std::function<bool(std::uint8_t)>;

// The longest start of `ansi` that fits a text field of `field_size` bytes together with
// its terminating NUL, never ending inside a two-byte character.
std::string_view CutToTextField(std::string_view ansi, std::size_t field_size,
                                const LeadBytePredicate& is_lead_byte = {});

class NotifyIconRecord {
 public:
  // Zeroed: the balloon fields stay empty until SetBalloon.
  NotifyIconRecord() = default;

  // What the add and modify requests carry: size, window, identifier 1000, the four valid
  // flags, callback message, icon and tip. Handles are 32-bit values, as on the platform
  // the record is made for.
  void SetIcon(std::uint32_t window, std::uint32_t icon, std::uint32_t callback_message,
               std::string_view tip_ansi, const LeadBytePredicate& is_lead_byte = {});
  // Balloon title, text and icon flags; every other field keeps its value.
  void SetBalloon(std::string_view title_ansi, std::string_view info_ansi, std::uint32_t info_flags,
                  const LeadBytePredicate& is_lead_byte = {});
  // Empty balloon texts, which takes a shown balloon away.
  void ClearBalloon();

  std::uint32_t Number(NotifyIconField field) const;
  // The text of a field up to its first NUL.
  std::string_view Text(NotifyIconField field) const;

  const std::uint8_t* data() const { return bytes_.data(); }
  std::uint8_t* data() { return bytes_.data(); }
  const std::array<std::uint8_t, kNotifyIconRecordSize>& Bytes() const { return bytes_; }

 private:
  void PutNumber(NotifyIconField field, std::uint32_t value);
  void PutText(NotifyIconField field, std::string_view text, const LeadBytePredicate& is_lead);

  alignas(4) std::array<std::uint8_t, kNotifyIconRecordSize> bytes_{};
};

}  // namespace orvane

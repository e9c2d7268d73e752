#include "mainwin/notify_icon_record.h"

#include <algorithm>

namespace orvane {

std::string_view CutToTextField(std::string_view ansi, std::size_t field_size,
                                const LeadBytePredicate& is_lead_byte) {
  if (field_size == 0) {
    return {};
  }
  // The shell reads up to the NUL: a text as long as the field would have none, and the
  // shell would read on into the next field. Keep room for it.
  const std::size_t room = field_size - 1;
  std::size_t end = 0;
  while (end < ansi.size()) {
    std::size_t width = 1;
    if (is_lead_byte && is_lead_byte(static_cast<std::uint8_t>(ansi[end])) &&
        end + 1 < ansi.size()) {
      width = 2;
    }
    if (end + width > room) {
      break;
    }
    end += width;
  }
  return ansi.substr(0, end);
}

void NotifyIconRecord::SetIcon(std::uint32_t window, std::uint32_t icon,
                               std::uint32_t callback_message, std::string_view tip_ansi,
                               const LeadBytePredicate& is_lead_byte) {
  PutNumber(notify_icon_field::kSize, static_cast<std::uint32_t>(kNotifyIconRecordSize));
  PutNumber(notify_icon_field::kWindow, window);
  PutNumber(notify_icon_field::kId, kNotifyIconId);
  PutNumber(notify_icon_field::kFlags, kNotifyIconFlags);
  PutNumber(notify_icon_field::kCallbackMessage, callback_message);
  PutNumber(notify_icon_field::kIcon, icon);
  PutText(notify_icon_field::kTip, tip_ansi, is_lead_byte);
}

void NotifyIconRecord::SetBalloon(std::string_view title_ansi, std::string_view info_ansi,
                                  std::uint32_t info_flags, const LeadBytePredicate& is_lead_byte) {
  PutText(notify_icon_field::kInfoTitle, title_ansi, is_lead_byte);
  PutText(notify_icon_field::kInfo, info_ansi, is_lead_byte);
  PutNumber(notify_icon_field::kInfoFlags, info_flags);
}

void NotifyIconRecord::ClearBalloon() {
  PutText(notify_icon_field::kInfoTitle, {}, {});
  PutText(notify_icon_field::kInfo, {}, {});
}

std::uint32_t NotifyIconRecord::Number(NotifyIconField field) const {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(bytes_[field.offset + i]) << (8 * i);
  }
  return value;
}

std::string_view NotifyIconRecord::Text(NotifyIconField field) const {
  const char* start = reinterpret_cast<const char*>(bytes_.data() + field.offset);
  const char* end = std::find(start, start + field.size, '\0');
  return std::string_view(start, static_cast<std::size_t>(end - start));
}

void NotifyIconRecord::PutNumber(NotifyIconField field, std::uint32_t value) {
  // Little-endian, as the platform reads it.
  for (std::size_t i = 0; i < 4; ++i) {
    bytes_[field.offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

void NotifyIconRecord::PutText(NotifyIconField field, std::string_view text,
                               const LeadBytePredicate& is_lead) {
  // The whole field is cleared first, so nothing of an earlier, longer text stays behind
  // the new one's NUL.
  auto* start = bytes_.data() + field.offset;
  std::fill(start, start + field.size, std::uint8_t{0});
  const std::string_view kept = CutToTextField(text, field.size, is_lead);
  std::copy(kept.begin(), kept.end(), start);
}

}  // namespace orvane

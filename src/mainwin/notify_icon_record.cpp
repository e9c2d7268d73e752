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

template <const NotifyIconLayout& Layout>
void BasicNotifyIconRecord<Layout>::SetIcon(std::uint32_t window, std::uint32_t icon,
                                            std::uint32_t callback_message,
                                            std::string_view tip_ansi,
                                            const LeadBytePredicate& is_lead_byte) {
  // Sign extension of a 32-bit handle; in a 4-byte field only the low half is written.
  const auto widen = [](std::uint32_t handle) {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(static_cast<std::int32_t>(handle)));
  };
  PutNumber(Layout.size, static_cast<std::uint64_t>(Layout.record_size));
  PutNumber(Layout.window, widen(window));
  PutNumber(Layout.id, kNotifyIconId);
  PutNumber(Layout.flags, kNotifyIconFlags);
  PutNumber(Layout.callback_message, callback_message);
  PutNumber(Layout.icon, widen(icon));
  PutText(Layout.tip, tip_ansi, is_lead_byte);
}

template <const NotifyIconLayout& Layout>
void BasicNotifyIconRecord<Layout>::SetBalloon(std::string_view title_ansi,
                                               std::string_view info_ansi, std::uint32_t info_flags,
                                               const LeadBytePredicate& is_lead_byte) {
  PutText(Layout.info_title, title_ansi, is_lead_byte);
  PutText(Layout.info, info_ansi, is_lead_byte);
  PutNumber(Layout.info_flags, info_flags);
}

template <const NotifyIconLayout& Layout>
void BasicNotifyIconRecord<Layout>::ClearBalloon() {
  PutText(Layout.info_title, {}, {});
  PutText(Layout.info, {}, {});
}

template <const NotifyIconLayout& Layout>
std::uint64_t BasicNotifyIconRecord<Layout>::Number(NotifyIconField field) const {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < field.size && i < 8; ++i) {
    value |= static_cast<std::uint64_t>(bytes_[field.offset + i]) << (8 * i);
  }
  return value;
}

template <const NotifyIconLayout& Layout>
std::string_view BasicNotifyIconRecord<Layout>::Text(NotifyIconField field) const {
  const char* start = reinterpret_cast<const char*>(bytes_.data() + field.offset);
  const char* end = std::find(start, start + field.size, '\0');
  return std::string_view(start, static_cast<std::size_t>(end - start));
}

template <const NotifyIconLayout& Layout>
void BasicNotifyIconRecord<Layout>::PutNumber(NotifyIconField field, std::uint64_t value) {
  // Little-endian, as the platform reads it.
  for (std::size_t i = 0; i < field.size && i < 8; ++i) {
    bytes_[field.offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

template <const NotifyIconLayout& Layout>
void BasicNotifyIconRecord<Layout>::PutText(NotifyIconField field, std::string_view text,
                                            const LeadBytePredicate& is_lead) {
  // The whole field is cleared first, so nothing of an earlier, longer text stays behind
  // the new one's NUL.
  auto* start = bytes_.data() + field.offset;
  std::fill(start, start + field.size, std::uint8_t{0});
  const std::string_view kept = CutToTextField(text, field.size, is_lead);
  std::copy(kept.begin(), kept.end(), start);
}

template class BasicNotifyIconRecord<kNotifyIconLayout32>;
template class BasicNotifyIconRecord<kNotifyIconLayout64>;

}  // namespace orvane

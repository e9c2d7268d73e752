// How a skinned button keeps its design in the host form.
#include <cstdint>
#include <vector>

#include "widgets/button.h"
#include "widgets/integer_narrowing.h"
#include "widgets/property_values.h"

namespace orvane {

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes PictureBytes(const PicturePtr& picture, PictureCodec& codec) {
  return picture ? codec.Encode(*picture) : Bytes{};
}

PicturePtr BytesPicture(const PropertyValue& value, PictureCodec& codec) {
  const Bytes bytes = PropertyAsBytes(value);
  return bytes.empty() ? nullptr : codec.Decode(bytes);
}

}  // namespace

void iButton::WriteProperties(PropertyBag& bag, PictureCodec& codec) const {
  bag.Write("BackPicture", PictureBytes(back_picture_, codec), Bytes{});
  bag.Write("Icon", PictureBytes(icon_, codec), Bytes{});
  bag.Write("Enabled", host_.Enabled(), true);
  bag.Write("Style", std::int64_t{style_}, std::int64_t{0});
  bag.Write("cBackStyle", std::int64_t{host_.BackStyle()}, std::int64_t{1});
  bag.Write("Caption", caption_, std::string());
  bag.Write("AutoSize", auto_size_, true);
  // The surface values have no default of their own and are always kept.
  bag.Write("cFont", EncodeFont(host_.Font()));
  bag.Write("cDrawMode", std::int64_t{host_.DrawMode()});
  bag.Write("cForeColor", std::int64_t{host_.ForeColor()});
}

void iButton::ReadProperties(const PropertyBag& bag, PictureCodec& codec) {
  // Stored values go in directly: no cutting, no repaint, no size change until shown.
  back_picture_ = BytesPicture(bag.Read("BackPicture", Bytes{}), codec);
  icon_ = BytesPicture(bag.Read("Icon", Bytes{}), codec);
  host_.SetEnabled(PropertyAsBool(bag.Read("Enabled", true)));
  host_.SetBackStyle(
      NarrowInteger<std::int16_t>(PropertyAsInteger(bag.Read("cBackStyle", std::int64_t{1}))));
  caption_ = PropertyAsText(bag.Read("Caption", std::string()));
  style_ = NarrowInteger<std::int32_t>(PropertyAsInteger(bag.Read("Style", std::int64_t{0})));
  auto_size_ = PropertyAsBool(bag.Read("AutoSize", true));
  host_.SetForeColor(
      Narrow32Bits(PropertyAsInteger(bag.Read("cForeColor", std::int64_t{host_.ForeColor()}))));
  host_.SetFont(DecodeFont(PropertyAsText(bag.Read("cFont", EncodeFont(host_.Font())))));
  host_.SetDrawMode(NarrowInteger<std::int16_t>(
      PropertyAsInteger(bag.Read("cDrawMode", std::int64_t{host_.DrawMode()}))));
}

}  // namespace orvane

#include "widgets/gtk/widget_text.h"

#include <pango/pangocairo.h>

#include "widgets/gtk/persistent_image.h"

namespace orvane::gtk {

namespace {

constexpr double kReferenceDpi = 96.0;

UniqueGObject<PangoLayout> LineLayout(cairo_t* cr, const FontSpec& font, std::string_view text) {
  UniqueGObject<PangoLayout> layout(pango_cairo_create_layout(cr));
  const UniqueFontDescription description = FontDescriptionFor(font);
  pango_layout_set_font_description(layout.get(), description.get());
  pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
  if (font.underline || font.strikethrough) {
    UniqueAttrList attributes(pango_attr_list_new());
    if (font.underline) {
      pango_attr_list_insert(attributes.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    }
    if (font.strikethrough) {
      pango_attr_list_insert(attributes.get(), pango_attr_strikethrough_new(TRUE));
    }
    pango_layout_set_attributes(layout.get(), attributes.get());
  }
  return layout;
}

}  // namespace

std::string LinuxFaceFor(std::string_view face) {
  if (face == kSongTiFace || face == "SimSun" || face == "新宋体" || face == "NSimSun") {
    return "WenQuanYi Zen Hei";
  }
  return std::string(face);
}

UniqueFontDescription FontDescriptionFor(const FontSpec& font) {
  UniqueFontDescription description(pango_font_description_new());
  const std::string face = LinuxFaceFor(font.name);
  if (!face.empty()) {
    pango_font_description_set_family(description.get(), face.c_str());
  }
  pango_font_description_set_absolute_size(description.get(),
                                           font.size_points * kReferenceDpi / 72.0 * PANGO_SCALE);
  pango_font_description_set_weight(description.get(),
                                    font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description.get(),
                                   font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return description;
}

Size MeasureLine(cairo_t* cr, const FontSpec& font, std::string_view text) {
  const UniqueGObject<PangoLayout> layout = LineLayout(cr, font, text);
  int width = 0;
  int height = 0;
  pango_layout_get_pixel_size(layout.get(), &width, &height);
  return Size{width, height};
}

void DrawLine(cairo_t* cr, const FontSpec& font, Colour colour, std::string_view text, Point at) {
  const UniqueGObject<PangoLayout> layout = LineLayout(cr, font, text);
  CairoSaved saved(cr);
  SetSourceColour(cr, colour);
  cairo_move_to(cr, at.x, at.y);
  pango_cairo_show_layout(cr, layout.get());
}

}  // namespace orvane::gtk

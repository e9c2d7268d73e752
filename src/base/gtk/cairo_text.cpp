#include "base/gtk/cairo_text.h"

#include <pango/pangocairo.h>

#include <string>
#include <vector>

#include "base/gtk/cairo_font.h"
#include "base/gtk/cairo_handles.h"

namespace orvane::gtk {
namespace {

namespace tf = text_format;

void SetSourceColour(cairo_t* cr, Colour c) {
  cairo_set_source_rgb(cr, RedOf(c) / 255.0, GreenOf(c) / 255.0, BlueOf(c) / 255.0);
}

UniqueGObject<PangoLayout> NewLayout(cairo_t* cr, const PangoFontDescription* font) {
  UniqueGObject<PangoLayout> layout(pango_cairo_create_layout(cr));
  pango_cairo_context_set_resolution(pango_layout_get_context(layout.get()), TextResolution());
  pango_layout_context_changed(layout.get());
  pango_layout_set_font_description(layout.get(), font);
  return layout;
}

// "&&" shows one '&'; '&' before another character underlines that character.
struct PrefixedText {
  std::string text;
  std::vector<int> underlined;  // byte offsets into text
};

PrefixedText ResolvePrefixes(std::string_view raw) {
  PrefixedText out;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '&') {
      out.text += raw[i];
      continue;
    }
    if (i + 1 >= raw.size())
      break;
    ++i;
    if (raw[i] != '&')
      out.underlined.push_back(static_cast<int>(out.text.size()));
    out.text += raw[i];
  }
  return out;
}

int Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0)
    return 4;
  if (lead >= 0xE0)
    return 3;
  if (lead >= 0xC0)
    return 2;
  return 1;
}

}  // namespace

Size MeasureTextLine(cairo_t* cr, const PangoFontDescription* font, std::string_view text) {
  UniqueGObject<PangoLayout> layout = NewLayout(cr, font);
  pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
  pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
  PangoRectangle logical{};
  pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
  return Size{logical.width, logical.height};
}

int DrawTextInBox(cairo_t* cr, const TextStyle& style, std::string_view text, const Rect& box,
                  unsigned format) {
  UniqueGObject<PangoLayout> layout = NewLayout(cr, style.font);
  PangoLayout* l = layout.get();

  PrefixedText shown;
  if (format & tf::kNoPrefix) {
    shown.text.assign(text);
  } else {
    shown = ResolvePrefixes(text);
  }
  pango_layout_set_text(l, shown.text.data(), static_cast<int>(shown.text.size()));
  if (!shown.underlined.empty()) {
    UniqueAttrList attributes(pango_attr_list_new());
    for (int offset : shown.underlined) {
      PangoAttribute* underline = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
      underline->start_index = static_cast<guint>(offset);
      underline->end_index = static_cast<guint>(
          offset + Utf8SequenceLength(static_cast<unsigned char>(shown.text[offset])));
      pango_attr_list_insert(attributes.get(), underline);
    }
    pango_layout_set_attributes(l, attributes.get());
  }

  const bool single_line = (format & tf::kSingleLine) != 0;
  pango_layout_set_single_paragraph_mode(l, single_line);
  // Ellipsis and word breaking both lay the text out against the box width; without
  // either, lines are as long as their text, like the platform's DrawText.
  const bool fitted = (format & tf::kEndEllipsis) || ((format & tf::kWordBreak) && !single_line);
  if (fitted) {
    pango_layout_set_width(l, box.width > 0 ? box.width * PANGO_SCALE : 0);
    if (format & tf::kEndEllipsis) {
      pango_layout_set_ellipsize(l, PANGO_ELLIPSIZE_END);
    } else {
      pango_layout_set_wrap(l, PANGO_WRAP_WORD);
    }
  }
  PangoAlignment alignment = PANGO_ALIGN_LEFT;
  if (format & tf::kCenter) {
    alignment = PANGO_ALIGN_CENTER;
  } else if (format & tf::kRight) {
    alignment = PANGO_ALIGN_RIGHT;
  }
  pango_layout_set_alignment(l, alignment);

  PangoRectangle logical{};
  pango_layout_get_pixel_extents(l, nullptr, &logical);
  // A layout fitted to the box aligns its own lines; otherwise the block is placed the
  // way DrawText places it, with its integer halving.
  int x = box.x;
  if (!fitted && (format & tf::kCenter)) {
    x = box.x + (box.width - logical.width) / 2;
  } else if (!fitted && (format & tf::kRight)) {
    x = box.Right() - logical.width;
  }
  int y = box.y;
  if (single_line) {
    if (format & tf::kVCenter) {
      y = box.y + (box.height - logical.height) / 2;
    } else if (format & tf::kBottom) {
      y = box.Bottom() - logical.height;
    }
  }

  CairoSaved saved(cr);
  if (!(format & tf::kNoClip)) {
    if (box.Empty())
      return logical.height;
    cairo_rectangle(cr, box.x, box.y, box.width, box.height);
    cairo_clip(cr);
  }
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  if (style.background) {
    SetSourceColour(cr, *style.background);
    const int left = fitted ? x + logical.x : x;
    cairo_rectangle(cr, left, y, logical.width, logical.height);
    cairo_fill(cr);
  }
  SetSourceColour(cr, style.colour);
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, l);
  return logical.height;
}

}  // namespace orvane::gtk

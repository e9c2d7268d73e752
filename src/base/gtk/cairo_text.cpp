#include "base/gtk/cairo_text.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/gtk/cairo_font.h"

namespace orvane::gtk {
namespace {

namespace tf = text_format;

// The key of a line laid out for measuring only: no format has every bit set.
constexpr unsigned kMeasured = ~0u;
// Longer texts are laid out afresh at every use instead of being kept: no surface keeps
// more than a bounded amount of text alive, whatever it was asked to draw.
constexpr std::size_t kLongestKept = 4096;

void SetSourceColour(cairo_t* cr, Colour c) {
  cairo_set_source_rgb(cr, RedOf(c) / 255.0, GreenOf(c) / 255.0, BlueOf(c) / 255.0);
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

// Ellipsis and word breaking both lay the text out against the box width; without
// either, lines are as long as their text, like the platform's DrawText.
bool Fitted(unsigned format) {
  return (format & tf::kEndEllipsis) || ((format & tf::kWordBreak) && !(format & tf::kSingleLine));
}

void LayOutForMeasuring(PangoLayout* l, std::string_view text) {
  pango_layout_set_single_paragraph_mode(l, TRUE);
  pango_layout_set_text(l, text.data(), static_cast<int>(text.size()));
}

void LayOutForDrawing(PangoLayout* l, std::string_view text, unsigned format, int width) {
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

  pango_layout_set_single_paragraph_mode(l, (format & tf::kSingleLine) != 0);
  if (Fitted(format)) {
    pango_layout_set_width(l, width > 0 ? width * PANGO_SCALE : 0);
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
}

}  // namespace

struct CairoTextLayouts::Line {
  std::string text;
  UniqueFontDescription font;
  unsigned format = 0;
  int width = -1;  // the box width a fitted line was laid out against, else -1
  UniqueGObject<PangoLayout> layout;
  PangoRectangle logical{};

  bool Is(const PangoFontDescription* f, std::string_view t, unsigned fmt, int w) const {
    return format == fmt && width == w && text == t && pango_font_description_equal(font.get(), f);
  }
};

CairoTextLayouts::CairoTextLayouts() = default;

CairoTextLayouts::~CairoTextLayouts() {
  // The layouts hold the context: they go first.
  lines_.clear();
  context_.reset();
}

int CairoTextLayouts::Kept() const {
  return static_cast<int>(lines_.size());
}

CairoTextLayouts::Line& CairoTextLayouts::Find(cairo_t* cr, const PangoFontDescription* font,
                                               std::string_view text, unsigned format, int width) {
  // Lines laid out at another resolution would be measured in other pixels.
  const double resolution = TextResolution();
  if (!context_ || resolution != resolution_) {
    lines_.clear();
    context_.reset(pango_cairo_create_context(cr));
    pango_cairo_context_set_resolution(context_.get(), resolution);
    // Every text is a left-to-right paragraph, as the platform's DrawText lays it out
    // without its right-to-left flag: right-to-left runs read right to left inside it,
    // but a right-to-left mark at the start of a title neither moves it to the right end
    // of its box nor puts its ellipsis at the left.
    pango_context_set_base_dir(context_.get(), PANGO_DIRECTION_LTR);
    resolution_ = resolution;
  }
  const auto kept = std::find_if(lines_.begin(), lines_.end(), [&](const Line& line) {
    return line.Is(font, text, format, width);
  });
  if (kept != lines_.end()) {
    std::rotate(lines_.begin(), kept, kept + 1);
    return lines_.front();
  }

  Line line;
  line.text.assign(text);
  line.font.reset(pango_font_description_copy(font));
  line.format = format;
  line.width = width;
  line.layout.reset(pango_layout_new(context_.get()));
  pango_layout_set_auto_dir(line.layout.get(), FALSE);
  pango_layout_set_font_description(line.layout.get(), font);
  if (format == kMeasured) {
    LayOutForMeasuring(line.layout.get(), text);
  } else {
    LayOutForDrawing(line.layout.get(), text, format, width);
  }
  pango_layout_get_pixel_extents(line.layout.get(), nullptr, &line.logical);

  if (text.size() > kLongestKept) {
    unkept_ = std::make_unique<Line>(std::move(line));
    return *unkept_;
  }
  if (static_cast<int>(lines_.size()) >= kCapacity) {
    lines_.pop_back();
  }
  lines_.insert(lines_.begin(), std::move(line));
  return lines_.front();
}

Size CairoTextLayouts::Measure(cairo_t* cr, const PangoFontDescription* font,
                               std::string_view text) {
  const Line& line = Find(cr, font, text, kMeasured, -1);
  return Size{line.logical.width, line.logical.height};
}

int CairoTextLayouts::Draw(cairo_t* cr, const TextStyle& style, std::string_view text,
                           const Rect& box, unsigned format) {
  const bool fitted = Fitted(format);
  const Line& line = Find(cr, style.font, text, format, fitted ? box.width : -1);
  const PangoRectangle& logical = line.logical;

  // A layout fitted to the box aligns its own lines; otherwise the block is placed the
  // way DrawText places it, with its integer halving.
  int x = box.x;
  if (!fitted && (format & tf::kCenter)) {
    x = box.x + (box.width - logical.width) / 2;
  } else if (!fitted && (format & tf::kRight)) {
    x = box.Right() - logical.width;
  }
  int y = box.y;
  if (format & tf::kSingleLine) {
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
  pango_cairo_show_layout(cr, line.layout.get());
  return logical.height;
}

}  // namespace orvane::gtk

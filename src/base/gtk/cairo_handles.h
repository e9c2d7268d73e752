#pragma once

#include <cairo.h>
#include <glib-object.h>
#include <pango/pango.h>

#include <memory>

namespace orvane::gtk {

// Owners of the cairo, Pango and GObject references of the drawing code.

struct CairoSurfaceRelease {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoContextRelease {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct CairoPatternRelease {
  void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};
struct FontDescriptionRelease {
  void operator()(PangoFontDescription* description) const {
    pango_font_description_free(description);
  }
};
struct AttrListRelease {
  void operator()(PangoAttrList* list) const { pango_attr_list_unref(list); }
};
struct GObjectRelease {
  void operator()(gpointer object) const { g_object_unref(object); }
};

using UniqueCairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;
using UniqueCairo = std::unique_ptr<cairo_t, CairoContextRelease>;
using UniqueCairoPattern = std::unique_ptr<cairo_pattern_t, CairoPatternRelease>;
using UniqueFontDescription = std::unique_ptr<PangoFontDescription, FontDescriptionRelease>;
using UniqueAttrList = std::unique_ptr<PangoAttrList, AttrListRelease>;
template <typename T>
using UniqueGObject = std::unique_ptr<T, GObjectRelease>;

// Saves the context's state and restores it on scope exit.
class CairoSaved {
 public:
  explicit CairoSaved(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
  ~CairoSaved() { cairo_restore(cr_); }
  CairoSaved(const CairoSaved&) = delete;
  CairoSaved& operator=(const CairoSaved&) = delete;

 private:
  cairo_t* cr_;
};

}  // namespace orvane::gtk

#pragma once

#include <gtk/gtk.h>

#include "base/gtk/gobject_owner.h"
#include "widgets/caption_bar_host.h"
#include "widgets/gtk/persistent_image.h"

namespace orvane::gtk {

// A form's persistent drawing: an image the size of the widget that shows it (the
// form's GtkFixed, or a drawing area under an overlay of the form's controls), painted
// before anything the widget draws itself and kept until drawn over again. The caption
// bar paints the window frame onto it (Printform).
class FormCanvas final : public SkinTarget {
 public:
  // `content`: the widget that covers the form's client area; `back_colour`: the form's.
  FormCanvas(GtkWidget* content, Colour back_colour);
  ~FormCanvas();
  FormCanvas(const FormCanvas&) = delete;
  FormCanvas& operator=(const FormCanvas&) = delete;

  Size TargetSize() const override;
  // Also takes the container's current size, whoever saw the size change first.
  void ClearToBackColor() override;
  void CopyPicture(const Picture& picture, const Rect& source, Point dest) override;
  void Present() override { gtk_widget_queue_draw(content_.get()); }

 private:
  static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
  static void OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self);

  GObjectOwner<GtkWidget> content_;
  PersistentImage image_;
};

}  // namespace orvane::gtk

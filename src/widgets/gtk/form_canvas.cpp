#include "widgets/gtk/form_canvas.h"

#include "widgets/gtk/cairo_picture.h"

namespace orvane::gtk {

namespace {

Size AllocatedSize(GtkWidget* widget) {
  return Size{gtk_widget_get_allocated_width(widget), gtk_widget_get_allocated_height(widget)};
}

}  // namespace

FormCanvas::FormCanvas(GtkWidget* content, Colour back_colour)
    : content_(content, this), image_(AllocatedSize(content), back_colour) {
  gtk_widget_set_app_paintable(content_.get(), TRUE);
  // Before the container's own drawing, so that its controls come on top.
  g_signal_connect(content_.get(), "draw", G_CALLBACK(OnDraw), this);
  g_signal_connect(content_.get(), "size-allocate", G_CALLBACK(OnSizeAllocate), this);
}

FormCanvas::~FormCanvas() {
  content_.reset();
}

Size FormCanvas::TargetSize() const {
  return image_.ImageSize();
}

void FormCanvas::ClearToBackColor() {
  image_.Resize(AllocatedSize(content_.get()));
  image_.Clear();
}

void FormCanvas::CopyPicture(const Picture& picture, const Rect& source, Point dest) {
  CopyPictureOnto(image_.Context(), picture, source, dest);
}

gboolean FormCanvas::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  static_cast<FormCanvas*>(self)->image_.PaintOnto(cr);
  return FALSE;
}

void FormCanvas::OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self) {
  static_cast<FormCanvas*>(self)->image_.Resize(Size{allocation->width, allocation->height});
}

}  // namespace orvane::gtk

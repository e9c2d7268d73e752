// A window with the tab strip hosting a few plain pages. Hover a tab for its tooltip,
// click to select, use the close boxes; the last tab refuses to close.
// "--quit-after <ms>" ends the program by itself (for unattended screenshots).
#include <gtk/gtk.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "base/gtk/cairo_handles.h"
#include "base/gtk/gobject_owner.h"
#include "base/property_bag.h"
#include "tabstrip/gtk/utab_widget.h"
#include "tabstrip/tab_form.h"
#include "tabstrip/tab_item.h"
#include "tabstrip/utab_events.h"

namespace {

using orvane::CTabItem;
using orvane::IuTab;
using orvane::WindowHandle;

// A page: a coloured area that names itself.
class DemoPage final : public orvane::ITabForm {
 public:
  DemoPage(const std::string& title, const char* colour) {
    GtkWidget* box = gtk_event_box_new();
    GtkWidget* label = gtk_label_new(title.c_str());
    gtk_container_add(GTK_CONTAINER(box), label);
    GdkRGBA rgba;
    gdk_rgba_parse(&rgba, colour);
    const orvane::gtk::UniqueGObject<GtkCssProvider> css(gtk_css_provider_new());
    const std::string rule = std::string("* { background-color: ") + colour + "; }";
    gtk_css_provider_load_from_data(css.get(), rule.c_str(), -1, nullptr);
    gtk_style_context_add_provider(gtk_widget_get_style_context(box), GTK_STYLE_PROVIDER(css.get()),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    gtk_widget_show_all(box);
    widget_ = WidgetOwner(box, nullptr, WidgetOwner::Release::kDestroyWidget);
  }
  ~DemoPage() override { Unload(); }
  WindowHandle hWnd() const override { return reinterpret_cast<WindowHandle>(widget_.get()); }
  void Initialize(IuTab*, std::weak_ptr<CTabItem> item) override { item_ = std::move(item); }
  void RefreshPage() override { gtk_widget_queue_draw(widget_.get()); }
  void Unload() noexcept override { widget_.reset(); }

 private:
  using WidgetOwner = orvane::gtk::GObjectOwner<GtkWidget>;
  WidgetOwner widget_;
  std::weak_ptr<CTabItem> item_;
};

// The form that hosts the strip, reacting to its events as the main window does.
class DemoForm final : public orvane::IuTabEvents {
 public:
  DemoForm() {
    form_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(form_), "Orvane tab strip");
    gtk_window_set_default_size(GTK_WINDOW(form_), 900, 520);
    gtk_window_move(GTK_WINDOW(form_), 40, 40);
    g_signal_connect(form_, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_set_border_width(GTK_CONTAINER(column), 4);
    gtk_container_add(GTK_CONTAINER(form_), column);

    strip_ = std::make_unique<orvane::gtk::uTabWidget>();
    gtk_box_pack_start(GTK_BOX(column), strip_->Widget(), FALSE, FALSE, 0);
    GtkWidget* container = gtk_overlay_new();
    gtk_box_pack_start(GTK_BOX(column), container, TRUE, TRUE, 0);

    orvane::PropertyBag bag;
    bag.Write("TabStyle", std::int64_t{1});
    bag.Write("TabLeftSize", std::int64_t{10});
    strip_->ReadProperties(bag);
    strip_->SetEvents(this);
    strip_->SethContainerWnd(container);
    strip_->Strip().LockReDraw(false);

    const struct {
      const char* caption;
      const char* colour;
    } pages[] = {{"mirab 一区", "#fae8c8"},
                 {"mirab 二区", "#d6ecfa"},
                 {"Orvane客户端", "#dcf6d6"},
                 {"A rather long caption that does not fit", "#f6dcf0"}};
    for (const auto& p : pages) {
      strip_->TabItems().Add(p.caption, std::make_shared<DemoPage>(p.caption, p.colour),
                             std::string("Game") + p.caption);
    }
    strip_->TabItems().SetSelected(1);
    gtk_widget_show_all(form_);
  }
  ~DemoForm() { strip_.reset(); }

  void OnMouseHover(std::int32_t index, std::int16_t&, std::int16_t&, float&, float&) override {
    auto& items = strip_->TabItems();
    strip_->SetToolTipText(index >= 0 && index < items.Count() ? items.Item(index)->Caption() : "");
  }
  void OnItemColose(std::int32_t, bool& cancel) override {
    cancel = strip_->TabItems().Count() <= 1;
  }
  GtkWidget* Handle() const { return form_; }

 private:
  GtkWidget* form_ = nullptr;
  std::unique_ptr<orvane::gtk::uTabWidget> strip_;
};

}  // namespace

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  auto form = std::make_unique<DemoForm>();
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--quit-after") == 0) {
      g_timeout_add(
          static_cast<guint>(std::strtoul(argv[i + 1], nullptr, 10)),
          [](gpointer) -> gboolean {
            gtk_main_quit();
            return G_SOURCE_REMOVE;
          },
          nullptr);
    }
  }
  gtk_main();
  form.reset();
  return 0;
}

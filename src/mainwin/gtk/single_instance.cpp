#include "mainwin/gtk/single_instance.h"

#include <vector>

#include "base/shown_text.h"

namespace orvane::gtk {

SingleInstance::SingleInstance(const char* application_id, HandOverOwner& owner)
    : owner_(owner), application_(g_application_new(application_id, G_APPLICATION_HANDLES_OPEN)) {
  g_signal_connect(application_, "activate", G_CALLBACK(&SingleInstance::OnActivate), this);
  g_signal_connect(application_, "open", G_CALLBACK(&SingleInstance::OnOpen), this);
}

SingleInstance::~SingleInstance() {
  g_signal_handlers_disconnect_by_data(application_, this);
  g_object_unref(application_);
}

int SingleInstance::Run(int argc, char** argv) {
  // An argument that is no text cannot travel on the bus, and no game address is one:
  // it is left here rather than handed over damaged.
  std::vector<char*> kept;
  for (int i = 0; i < argc; ++i) {
    if (i == 0 || IsShowableUtf8(argv[i])) {
      kept.push_back(argv[i]);
    } else {
      g_message("An argument that is no text was not handed over: \"%s\".",
                ShownText(argv[i], 200).c_str());
    }
  }
  const bool dropped_all = argc > 1 && kept.size() == 1;
  if (dropped_all && g_application_register(application_, nullptr, nullptr) &&
      g_application_get_is_remote(application_)) {
    return 0;
  }
  kept.push_back(nullptr);
  return g_application_run(application_, static_cast<int>(kept.size()) - 1, kept.data());
}

void SingleInstance::OnActivate(GApplication*, gpointer self) {
  static_cast<SingleInstance*>(self)->owner_.PresentMainWindow();
}

void SingleInstance::OnOpen(GApplication*, GFile** files, gint count, const gchar*, gpointer data) {
  auto* self = static_cast<SingleInstance*>(data);
  for (gint i = 0; i < count; ++i) {
    // An address that is no URI at all arrives as a file below the sender's folder.
    gchar* uri = g_file_get_uri(files[i]);
    if (!HandOverAddress(uri ? uri : "", self->owner_)) {
      ++self->refused_;
      g_message("A second start handed over \"%s\", which is no game address; ignored.",
                ShownText(uri ? uri : "", 200).c_str());
    }
    g_free(uri);
  }
}

}  // namespace orvane::gtk

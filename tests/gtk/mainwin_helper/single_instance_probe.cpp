// One start of the client as far as single instance goes, for the hand-over tests: what
// reaches the running client is written, one line each, to a log file.
//   single_instance_probe <application id> <log file> [--hold] [arguments of the start...]
// --hold keeps a first start running (as the main window does) until it is killed.
#include <gio/gio.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "mainwin/gtk/single_instance.h"

namespace {

class LogOwner final : public orvane::HandOverOwner {
 public:
  explicit LogOwner(const char* path) : path_(path) {}
  void OpenGameTab(const std::string& strURL) override { Write("open " + strURL); }
  void PresentMainWindow() override { Write("present"); }
  void Write(const std::string& line) const {
    if (FILE* f = std::fopen(path_, "a")) {
      std::fprintf(f, "%s\n", line.c_str());
      std::fclose(f);
    }
  }

 private:
  const char* path_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    return 2;
  }
  LogOwner owner(argv[2]);
  int first = 3;
  const bool hold = argc > 3 && std::strcmp(argv[3], "--hold") == 0;
  if (hold) {
    first = 4;
  }
  std::vector<char*> args{argv[0]};
  for (int i = first; i < argc; ++i) {
    args.push_back(argv[i]);
  }
  args.push_back(nullptr);

  orvane::gtk::SingleInstance instance(argv[1], owner);
  struct Context {
    LogOwner* owner;
    orvane::gtk::SingleInstance* instance;
    bool hold;
  } context{&owner, &instance, hold};
  g_signal_connect(instance.application(), "startup",
                   G_CALLBACK(+[](GApplication* app, gpointer d) {
                     auto* c = static_cast<Context*>(d);
                     c->owner->Write("primary");
                     if (c->hold) {
                       g_application_hold(app);
                     }
                   }),
                   &context);
  g_signal_connect_after(instance.application(), "open",
                         G_CALLBACK(+[](GApplication*, GFile**, gint, gchar*, gpointer d) {
                           auto* c = static_cast<Context*>(d);
                           c->owner->Write("refused " + std::to_string(c->instance->refused()));
                         }),
                         &context);
  const int status = instance.Run(static_cast<int>(args.size()) - 1, args.data());
  g_signal_handlers_disconnect_by_data(instance.application(), &context);
  return status;
}

#pragma once

#include <gio/gio.h>

#include "base/product_version.h"
#include "mainwin/hand_over.h"

namespace orvane::gtk {

// The client's application id on the session bus: one running client per user session.
inline constexpr char kApplicationId[] = ORVANE_APPLICATION_ID;

// Single instance on Linux through GApplication: the first start owns the application id
// on the session bus; a later `orvane <address>` hands the address to it (`open`) and
// ends, and a later plain `orvane` asks it to present its front window (`activate`).
// The running client passes an address on only when the game window may open it (http
// or https); anything else is refused and never navigated.
class SingleInstance {
 public:
  SingleInstance(const char* application_id, HandOverOwner& owner);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  GApplication* application() const { return application_; }
  // Runs the application: in the first start until it is released, in a later one only
  // to hand over its arguments; arguments that are no well-formed UTF-8 are not handed
  // over (a later start with nothing else hands nothing). Returns the exit status.
  int Run(int argc, char** argv);
  // The number of addresses refused so far (for the log and the tests).
  int refused() const { return refused_; }

 private:
  static void OnActivate(GApplication* application, gpointer self);
  static void OnOpen(GApplication* application, GFile** files, gint count, const gchar* hint,
                     gpointer self);

  HandOverOwner& owner_;
  GApplication* application_ = nullptr;
  int refused_ = 0;
};

}  // namespace orvane::gtk

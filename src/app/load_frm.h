#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/message_box.h"
#include "app/start_up_ports.h"
#include "app/update_check.h"
#include "base/resource_ids.h"

namespace orvane {

inline constexpr int kSplashPictureId = ORVANE_PNG_SPLASH;
// The one command-line argument that opens the publisher's home page instead of the client.
inline constexpr std::string_view kWebArgument = "/web";

// What the user can do to the splash window itself.
class SplashEvents {
 public:
  virtual ~SplashEvents() = default;
  // The system asks the window to close (Alt+F4 and the like).
  virtual void CloseRequested() = 0;
};

// The splash window on screen. Destroying the view unloads the window: the picture, the
// drawing objects and the imaging session go in the reverse order of their creation.
class SplashView {
 public:
  virtual ~SplashView() = default;
  // Makes the window show the picture of PNG resource `png_id` with its own transparency
  // and take the picture's size; it keeps its position and stays hidden. A picture that
  // cannot be decoded leaves the window empty.
  virtual void PresentPicture(int png_id) = 0;
  // Shows the window centred on the screen.
  virtual void ShowCentred() = 0;
};

// The client around the splash window.
class LoadFrmOwner {
 public:
  virtual ~LoadFrmOwner() = default;
  // Creates the splash window, hidden, reporting to `events`.
  virtual std::unique_ptr<SplashView> CreateSplashView(SplashEvents& events) = 0;
  // Loads the login screen: both windows exist and the login page starts loading; nothing
  // is shown.
  virtual void LoadLoginScreen() = 0;
  // Ends the program at once.
  virtual void EndProgram() = 0;
  virtual bool Ended() const = 0;
};

struct LoadFrmPorts {
  Connectivity& connectivity;
  MessageBoxes& dialogs;
  AddressLauncher& addresses;
  UpdateCheckPorts update;
};

struct LoadFrmSettings {
  UpdateCheckSettings update;
  std::string home_page;
};

// The splash window `LoadFrm`, which runs the client's start: connectivity, the start-up
// update check, the command line, the splash picture and the loading of the login screen.
// The login screen unloads it once the login page has completed.
class LoadFrm final : private SplashEvents {
 public:
  LoadFrm(LoadFrmOwner& owner, const LoadFrmPorts& ports, LoadFrmSettings settings);
  ~LoadFrm() override;
  LoadFrm(const LoadFrm&) = delete;
  LoadFrm& operator=(const LoadFrm&) = delete;

  // Creation of the object, before any window exists: without a connection the user is
  // told so and the program ends; with one the start-up update check runs, and an
  // accepted update ends the program. False when the program ends here.
  bool Form_Initialize();

  // Load: "/web" (exactly) opens the publisher's home page and ends the program without a
  // window; otherwise the window gets its picture and is shown, and then the login screen
  // is loaded: the picture is on screen while the login screen's browser starts. False
  // when the program ends here.
  bool Form_Load(std::string_view command_line);

  // Shows the splash centred; nothing when it has been unloaded or is shown already.
  void Show();

  // Unloads the window; no effect when it is not loaded.
  void Unload();
  bool Loaded() const { return view_ != nullptr; }

 private:
  bool shown_ = false;
  void CloseRequested() override;

  LoadFrmOwner& owner_;
  LoadFrmPorts ports_;
  LoadFrmSettings settings_;
  std::unique_ptr<SplashView> view_;
};

// The arguments of a Windows command line: the text after the program name (quoted or
// not) and the blanks that follow it, as the program receives them.
std::string_view ArgumentsOfCommandLine(std::string_view command_line);

}  // namespace orvane

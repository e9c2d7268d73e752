#pragma once
// MsgFrm: the client's own skinned question window, the exit confirmation. It asks
// "窗口即将关闭，确定要退出游戏？" with "是" and "否" and a close button in its caption bar,
// and answers by setting the main window's m_bExit before it closes itself.

#include <memory>
#include <string_view>

#include "base/geometry.h"
#include "widgets/button_events.h"
#include "widgets/caption_bar.h"
#include "widgets/picture.h"

namespace orvane {

class iButton;

inline constexpr std::string_view kExitQuestion = "窗口即将关闭，确定要退出游戏？";
inline constexpr std::string_view kYesCaption = "是";
inline constexpr std::string_view kNoCaption = "否";
// The window's design client size in pixels, and its corners: a 4 x 4 ellipse.
inline constexpr int kMsgFrmWidthPixels = 242;
inline constexpr int kMsgFrmHeightPixels = 140;
inline constexpr int kMsgFrmCornerPixels = 4;
// closebtn sits this far from the window's right edge.
inline constexpr int kMsgFrmCloseButtonFromRightTwips = 730;

// Where the answer goes: the main window's m_bExit.
class MsgFrmOwner {
 public:
  virtual void m_bExit(bool value) = 0;

 protected:
  ~MsgFrmOwner() = default;
};

// What the platform reports of the window itself.
class MsgFrmEvents {
 public:
  // The window's size changed; also once before it is first shown.
  virtual void Form_Resize() = 0;

 protected:
  ~MsgFrmEvents() = default;
};

// The window with its controls as the design places them: borderless, white, centred on
// the screen, `BForm1` across the top, `Label1` with the question, `iButton1` and
// `iButton2` with their strips (bitmaps 111 and 112; the load sets their captions "是" and
// "否"), `closebtn` in the bar. Destroying the view destroys the
// window and its controls in reverse order of creation.
class MsgFrmView {
 public:
  virtual ~MsgFrmView() = default;
  virtual BForm& BForm1() = 0;
  virtual iButton& iButton1() = 0;
  virtual iButton& iButton2() = 0;
  virtual iButton& closebtn() = 0;
  // One of the program's bitmaps as a picture (null when missing).
  virtual PicturePtr LoadBitmapPicture(int id) = 0;
  // The window's client size in twips.
  virtual Size ScaleSize() const = 0;
  // The window's surface, on which the bar paints the frame.
  virtual SkinTarget& FormSurface() = 0;
  virtual void SetCaptionBarWidth(int twips) = 0;
  virtual void SetCloseButtonLeft(int twips) = 0;
  // Gives the window a rounded-rectangle region (0, 0)-(width, height) exclusive, pixels.
  virtual void SetRoundedRegion(int width, int height, int ellipse) = 0;
  // Releases the mouse and lets the window manager move the window with it.
  virtual void DragWindow() = 0;
  // Shows the window modally: returns once Unload has been called or the window was
  // closed by other means. The main window's hotkey and tray stay active meanwhile.
  virtual void ShowModal() = 0;
  // Ends the modal showing and hides the window. Safe to call from the window's own events;
  // the window itself goes with the view.
  virtual void Unload() = 0;
};

class MsgFrmViews {
 public:
  virtual ~MsgFrmViews() = default;
  virtual std::unique_ptr<MsgFrmView> CreateMsgFrmView(MsgFrmEvents& events) = 0;
};

class MsgFrm final : private MsgFrmEvents, private BFormEvents {
 public:
  explicit MsgFrm(MsgFrmOwner& owner);
  ~MsgFrm();
  MsgFrm(const MsgFrm&) = delete;
  MsgFrm& operator=(const MsgFrm&) = delete;

  // Loads the window, shows it modally and returns once it has closed, with the answer
  // written to the owner.
  void ShowModal(MsgFrmViews& views);

 private:
  class Answer;

  void Form_Load();
  // MsgFrmEvents
  void Form_Resize() override;
  // BFormEvents
  void MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) override;

  void Answered(bool exit);

  MsgFrmOwner& owner_;
  std::unique_ptr<MsgFrmView> view_;
  std::unique_ptr<Answer> yes_;
  std::unique_ptr<Answer> no_;
  std::unique_ptr<Answer> close_;
  bool answered_ = false;
};

}  // namespace orvane

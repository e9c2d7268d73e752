#include "app/msg_frm.h"

#include <string>

#include "base/product.h"
#include "base/resource_ids.h"
#include "base/units.h"
#include "widgets/button.h"

namespace orvane {

// One answer button: its click writes the answer and closes the window.
class MsgFrm::Answer final : public iButtonEvents {
 public:
  Answer(MsgFrm& frm, bool exit) : frm_(frm), exit_(exit) {}
  void Click() override { frm_.Answered(exit_); }

 private:
  MsgFrm& frm_;
  bool exit_;
};

MsgFrm::MsgFrm(MsgFrmOwner& owner) : owner_(owner) {}

MsgFrm::~MsgFrm() {
  // The window and its controls go before the handlers they report to.
  view_.reset();
}

void MsgFrm::ShowModal(MsgFrmViews& views) {
  answered_ = false;
  yes_ = std::make_unique<Answer>(*this, true);
  no_ = std::make_unique<Answer>(*this, false);
  close_ = std::make_unique<Answer>(*this, false);
  view_ = views.CreateMsgFrmView(*this);
  if (!view_) {
    // Without the window there is no answer: the owner's flag stays as it was.
    return;
  }
  Form_Load();
  view_->ShowModal();
  // Loaded again for every later confirmation: nothing of this one stays.
  view_.reset();
}

void MsgFrm::Form_Load() {
  view_->BForm1().SetEvents(this);
  view_->iButton1().SetEvents(yes_.get());
  view_->iButton2().SetEvents(no_.get());
  view_->closebtn().SetEvents(close_.get());
  // The answers' captions are set here rather than left to each platform's design, so
  // that both show the same words.
  view_->iButton1().Caption(std::string(kYesCaption));
  view_->iButton2().Caption(std::string(kNoCaption));

  view_->SetCaptionBarWidth(view_->ScaleSize().cx);
  view_->closebtn().BackPicture(view_->LoadBitmapPicture(ORVANE_BITMAP_CLOSE_BUTTON));
  view_->BForm1().Caption(std::string(kProductName) + "客户端");
}

void MsgFrm::Form_Resize() {
  if (!view_) {
    return;
  }
  const Size size = view_->ScaleSize();
  view_->SetRoundedRegion(TwipsToPixels(size.cx) + 1, TwipsToPixels(size.cy) + 1,
                          kMsgFrmCornerPixels);
  view_->BForm1().Printform(view_->FormSurface());
  view_->SetCloseButtonLeft(size.cx - kMsgFrmCloseButtonFromRightTwips);
}

void MsgFrm::MouseDown(std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*X*/,
                       float& /*Y*/) {
  if (view_ && !answered_) {
    view_->DragWindow();
  }
}

void MsgFrm::Answered(bool exit) {
  // A second click that arrives before the window has gone changes nothing.
  if (!view_ || answered_) {
    return;
  }
  answered_ = true;
  owner_.m_bExit(exit);
  view_->Unload();
}

}  // namespace orvane

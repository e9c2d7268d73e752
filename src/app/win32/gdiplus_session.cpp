#include "app/win32/gdiplus_session.h"

namespace orvane::win32 {

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.SuppressBackgroundThread = TRUE;
  Gdiplus::GdiplusStartupOutput output{};
  started_ = Gdiplus::GdiplusStartup(&token_, &input, &output) == Gdiplus::Ok;
  if (started_ && output.NotificationHook != nullptr) {
    hooked_ = output.NotificationHook(&hook_token_) == Gdiplus::Ok;
    unhook_ = output.NotificationUnhook;
  }
}

GdiplusSession::~GdiplusSession() {
  if (hooked_ && unhook_ != nullptr) {
    unhook_(hook_token_);
  }
  if (started_) {
    Gdiplus::GdiplusShutdown(token_);
  }
}

}  // namespace orvane::win32

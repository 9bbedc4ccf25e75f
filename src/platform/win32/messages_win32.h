#pragma once
// Message boxes with the application's title, and the notice.

#include <windows.h>

#include "platform/user_messages.h"
#include "platform/win32/notice_win32.h"

namespace orvando::win32 {

inline constexpr const wchar_t* kAppTitle = L"Orvando";

class Win32Messages : public UserMessages {
 public:
  // The window that owns the boxes (the main window); may be null.
  void SetOwner(HWND owner) { owner_ = owner; }
  // Started by Windows, maybe with nobody at the PC: until the start-up
  // sequence is over, an error goes to the notice instead of a box that
  // would hold the schedule until someone pressed OK.
  void SetErrorsToNotice(bool to_notice) { errors_to_notice_ = to_notice; }
  void ShowError(const std::string& text) override;
  void ShowInformation(const std::string& text) override;
  void ShowNotice(const std::string& text) override;
  bool NoticeShown() const override { return notice_.Shown(); }
  bool AskYesNo(const std::string& text) override;

 private:
  HWND Owner() const;
  HWND owner_ = nullptr;
  bool error_shown_ = false;
  bool errors_to_notice_ = false;
  NoticeWindow notice_;
};

class Win32SingleInstance;

}  // namespace orvando::win32

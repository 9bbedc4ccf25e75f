#pragma once
// Message boxes with the application's title, and the notice.

#include <windows.h>

#include <string>

#include "platform/user_messages.h"
#include "platform/win32/window_win32.h"

namespace orvando::win32 {

inline constexpr const wchar_t* kAppTitle = L"Orvando";

// Where the notices go: the notice window (windows/notice_win32.h), one at
// most, shown without taking the focus and without a loop of its own.
class NoticeBoard {
 public:
  virtual ~NoticeBoard() = default;
  // Shows `text`, replacing the text of a notice still on screen.
  virtual void Show(const std::wstring& text) = 0;
  virtual bool Shown() const = 0;
};

class Win32Messages : public UserMessages {
 public:
  // `owner` owns the boxes (the main window) while it is on screen.
  Win32Messages(NoticeBoard& notice, const Window& owner) : notice_(notice), owner_(owner) {}
  void ShowInformation(const std::string& text) override;
  bool NoticeShown() const override { return notice_.Shown(); }
  bool AskYesNo(const std::string& text) override;

 protected:
  void ShowErrorBox(const std::string& text) override;
  void ShowNoticeWindow(const std::string& text) override;

 private:
  HWND Owner() const;
  NoticeBoard& notice_;
  const Window& owner_;
  bool error_shown_ = false;
};

}  // namespace orvando::win32

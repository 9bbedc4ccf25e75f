#include "platform/win32/messages_win32.h"

#include "platform/win32/text_win32.h"

namespace orvando::win32 {

HWND Win32Messages::Owner() const {
  // A hidden or destroyed owner would leave the box behind other windows.
  HWND owner = owner_.hwnd();
  return owner && IsWindowVisible(owner) ? owner : nullptr;
}

void Win32Messages::ShowErrorBox(const std::string& text) {
  // At most one error on screen: a second one while the first waits for its
  // OK (events keep running under a message box) is dropped.
  if (error_shown_) return;
  error_shown_ = true;
  MessageBoxW(Owner(), Widen(text).c_str(), kAppTitle,
              MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND | MB_TOPMOST);
  error_shown_ = false;
}

void Win32Messages::ShowInformation(const std::string& text) {
  MessageBoxW(Owner(), Widen(text).c_str(), kAppTitle, MB_OK | MB_ICONINFORMATION);
}

void Win32Messages::ShowNoticeWindow(const std::string& text) {
  notice_.Show(Widen(text));
}

bool Win32Messages::AskYesNo(const std::string& text) {
  // 36 = Yes/No + question icon; Yes, the first button, is the default.
  return MessageBoxW(Owner(), Widen(text).c_str(), kAppTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace orvando::win32

#pragma once
// Message boxes with the application's title.

#include <windows.h>

#include "platform/user_messages.h"

namespace orvando::win32 {

inline constexpr const wchar_t* kAppTitle = L"Orvando";

class Win32Messages : public UserMessages {
 public:
  // The window that owns the boxes (the main window); may be null.
  void SetOwner(HWND owner) { owner_ = owner; }
  void ShowError(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;

 private:
  HWND Owner() const;
  HWND owner_ = nullptr;
  bool error_shown_ = false;
};

class Win32SingleInstance;

}  // namespace orvando::win32

#pragma once
// The notice: a small window with a warning icon, a text and OK, which tells
// of an event of the schedule without holding anything up. Unlike a message
// box it has no loop of its own: it is shown and the caller goes on at once.
// There is one at most; showing another text while it is up replaces the
// text. It never takes the keyboard from the window the user is typing in.

#include <windows.h>

#include <string>

#include "platform/win32/messages_win32.h"
#include "platform/win32/picture_win32.h"
#include "platform/win32/unique_handle_win32.h"
#include "platform/win32/window_win32.h"

namespace orvando::win32 {

class NoticeWindow : public Window, public NoticeBoard {
 public:
  enum Control : int { kText = 101, kIcon = 102, kOk = IDOK };

  NoticeWindow() = default;  // not counted: it never keeps the program alive

  void Show(const std::wstring& text) override;
  bool Shown() const override { return loaded() && IsWindowVisible(hwnd()); }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // The controls at `dpi`, the text as tall as it needs, and the frame
  // around them, keeping its top-left corner.
  void Layout(UINT dpi) override;

 private:
  Picture icon_;
};

}  // namespace orvando::win32

#pragma once
// Pictures for our windows: icons and stored JPEGs loaded at the size they
// are shown, and a child control that draws one.

#include <windows.h>

#include <functional>

#include "platform/win32/unique_handle_win32.h"
#include "platform/win32/window_win32.h"

namespace orvando::win32 {

// Decodes a picture stored as RCDATA (a JPEG, or anything Windows Imaging
// Component reads) and scales it to width x height with a smoothing filter,
// so it stays sharp at every DPI. None on failure.
UniqueBitmap LoadScaledPicture(int resource_id, int width, int height);

// A click as a user means it: button pressed and released over the same
// window. Feed it the window's mouse messages.
class ClickTracker {
 public:
  // True when the message completed a click.
  bool OnMessage(HWND window, UINT message, LPARAM lparam);

 private:
  bool pressed_ = false;
};

// A picture control, an icon or a bitmap drawn stretched to its size: every
// picture of our windows is drawn by it. Without a click handler it is
// transparent to the pointer: moves and clicks go to its container.
class Picture : public Window {
 public:
  bool CreateChild(HWND parent, int id, bool enabled, std::function<void()> on_click);
  // What it shows, and owns, from now on.
  void SetIcon(UniqueIcon icon);
  void SetBitmap(UniqueBitmap bitmap);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint();

  std::function<void()> on_click_;
  ClickTracker click_;
  UniqueIcon icon_;
  UniqueBitmap bitmap_;
};

}  // namespace orvando::win32

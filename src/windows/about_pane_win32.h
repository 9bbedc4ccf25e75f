#pragma once
// A container inside the About window: the title box (with an etched border)
// and the two link areas (borderless). Its controls' notifications and colour
// requests go on to the About window, which handles them all in one place.

#include <windows.h>

#include <functional>

#include "platform/win32/picture_win32.h"
#include "platform/win32/window_win32.h"

namespace orvando::win32 {

class AboutPane : public Window {
 public:
  struct Handlers {
    std::function<void()> on_move;   // the pointer moved over the pane itself
    std::function<void()> on_click;  // pressed and released over the pane itself
  };
  bool CreateChild(HWND parent, int id, bool border, Handlers handlers);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void PaintBorder();

  bool border_ = false;
  Handlers handlers_;
  ClickTracker click_;
};

}  // namespace orvando::win32

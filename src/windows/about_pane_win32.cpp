#include "windows/about_pane_win32.h"

#include <utility>

namespace orvando::win32 {

bool AboutPane::CreateChild(HWND parent, int id, bool border, Handlers handlers) {
  border_ = border;
  handlers_ = std::move(handlers);
  return Create({.class_name = L"OrvandoAboutPane",
                 .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                 .parent = parent,
                 .id = id});
}

LRESULT AboutPane::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
      return SendMessageW(GetParent(hwnd()), message, wparam, lparam);
    case WM_MOUSEMOVE:
      if (handlers_.on_move) handlers_.on_move();
      return 0;
    case WM_PAINT:
      if (border_) {
        PaintBorder();
        return 0;
      }
      break;
    default:
      if (handlers_.on_click && click_.OnMessage(hwnd(), message, lparam)) {
        handlers_.on_click();
        return 0;
      }
      break;
  }
  return Window::OnMessage(message, wparam, lparam);
}

void AboutPane::PaintBorder() {
  const Paint paint(hwnd());
  RECT r;
  GetClientRect(hwnd(), &r);
  DrawEdge(paint.get(), &r, EDGE_ETCHED, BF_RECT);
}

}  // namespace orvando::win32

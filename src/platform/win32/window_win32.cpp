#include "platform/win32/window_win32.h"

#include "platform/win32/text_win32.h"

namespace orvando::win32 {

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    if (counter_) counter_->Closed();
  }
}

bool Window::Create(const wchar_t* class_name, HICON icon, DWORD style, DWORD ex_style,
                    const wchar_t* title, int x, int y, int width, int height, HMENU menu,
                    HWND owner) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(instance, class_name, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Window::Proc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = class_name;
    if (!RegisterClassExW(&wc)) return false;
  }
  HWND created = CreateWindowExW(ex_style, class_name, title, style, x, y, width, height, owner,
                                 menu, instance, this);
  return created != nullptr;
}

// Moved to a monitor of another scale: the rectangle Windows suggests, then
// the window's own layout at the new DPI.
LRESULT Window::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DPICHANGED) {
    const RECT* r = reinterpret_cast<const RECT*>(lparam);
    SetWindowPos(hwnd_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Layout(HIWORD(wparam));
    InvalidateRect(hwnd_, nullptr, TRUE);
    return 0;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

HWND ControlOf(HWND window, std::span<const ControlSpec> table, int id) {
  for (const ControlSpec& spec : table) {
    if (spec.id != id) continue;
    return GetDlgItem(spec.container ? GetDlgItem(window, spec.container) : window, id);
  }
  return nullptr;
}

void LayOutControls(HWND window, std::span<const ControlSpec> table, UINT dpi) {
  for (const ControlSpec& spec : table) {
    HWND control = ControlOf(window, table, spec.id);
    if (!control && spec.window_class) {
      HWND container = spec.container ? GetDlgItem(window, spec.container) : window;
      control = CreateWindowExW(spec.ex_style, spec.window_class, Widen(spec.text).c_str(),
                                WS_CHILD | WS_VISIBLE | spec.style, 0, 0, 0, 0, container,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                                GetModuleHandleW(nullptr), nullptr);
    }
    PlaceChild(control, spec.rect, dpi);
  }
}

void SwapFont(UniqueGdi& held, HFONT font, std::initializer_list<HWND> controls) {
  for (HWND control : controls) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  held.reset(font);
}

void CentreOnWorkArea(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  RECT frame;
  GetWindowRect(window, &frame);
  SetWindowPos(window, nullptr, (work.left + work.right - (frame.right - frame.left)) / 2,
               (work.top + work.bottom - (frame.bottom - frame.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self->counter_) self->counter_->Opened();
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  const LRESULT result = self->OnMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    if (self->counter_) self->counter_->Closed();
    self->OnDestroyed();
  }
  return result;
}

}  // namespace orvando::win32

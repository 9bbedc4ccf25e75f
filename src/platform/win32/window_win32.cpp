#include "platform/win32/window_win32.h"

#include <algorithm>

#include "platform/win32/text_win32.h"

namespace orvando::win32 {

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    if (counter_) counter_->Closed();
  }
}

void Window::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool Window::Create(const WindowArgs& args) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(instance, args.class_name, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Window::Proc;
    wc.hInstance = instance;
    wc.hIcon = args.icon;
    wc.hIconSm = args.icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = args.class_name;
    if (!RegisterClassExW(&wc)) return false;
  }
  const bool child = (args.style & WS_CHILD) != 0;
  const bool top_level = !child && args.parent != HWND_MESSAGE;
  // Before the window exists only the system DPI is known.
  RECT frame{0, 0, 0, 0};
  if (top_level && args.width > 0) {
    const UINT dpi = SystemDpi();
    frame = ToPixels(
        {static_cast<int>(args.at.x), static_cast<int>(args.at.y), args.width, args.height}, dpi);
    AdjustWindowRectForDpi(frame, args.style, args.ex_style, args.menu != nullptr, dpi);
  }
  const bool anywhere = top_level && args.place == WindowArgs::Place::Anywhere;
  HMENU menu = child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)) : args.menu;
  if (!CreateWindowExW(args.ex_style, args.class_name, Widen(args.title).c_str(), args.style,
                       anywhere ? CW_USEDEFAULT : frame.left, anywhere ? CW_USEDEFAULT : frame.top,
                       frame.right - frame.left, frame.bottom - frame.top, args.parent, menu,
                       instance, this)) {
    return false;
  }
  if (!top_level) return true;  // its container places it
  // At its own DPI: on a screen of another scale, its frame and contents
  // at that scale.
  const UINT dpi = DpiOf(hwnd_);
  if (args.width > 0) {
    FitFrameToClient(hwnd_, args.width, args.height, dpi,
                     args.place == WindowArgs::Place::At ? &args.at : nullptr);
  }
  Layout(dpi);
  if (args.place == WindowArgs::Place::Centred) CentreOnWorkArea(hwnd_);
  return true;
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

void Window::LayOut(std::span<const ControlSpec> table, UINT dpi) {
  laid_out_dpi_ = dpi;
  std::vector<std::pair<FontSpec, UniqueFont>> fonts;
  for (const ControlSpec& spec : table) {
    HWND control = ControlOf(hwnd_, table, spec.id);
    if (!control && spec.window_class) {
      HWND container = spec.container ? GetDlgItem(hwnd_, spec.container) : hwnd_;
      control = CreateWindowExW(spec.ex_style, spec.window_class, Widen(spec.text).c_str(),
                                WS_CHILD | WS_VISIBLE | spec.style, 0, 0, 0, 0, container,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                                GetModuleHandleW(nullptr), nullptr);
    }
    PlaceChild(control, spec.rect, dpi);
    if (!spec.window_class) continue;  // an object of its own draws itself
    auto font = std::find_if(fonts.begin(), fonts.end(),
                             [&spec](const auto& made) { return made.first == spec.font; });
    if (font == fonts.end())
      font = fonts.emplace(fonts.end(), spec.font, CreatePointFont(spec.font, dpi));
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font->second.get()), TRUE);
  }
  fonts_ = std::move(fonts);  // the last layout's fonts go once no control uses them
}

HFONT Window::FontOf(const FontSpec& spec) const {
  for (const auto& [made, font] : fonts_) {
    if (made == spec) return font.get();
  }
  return nullptr;
}

void SwapFont(UniqueFont& held, UniqueFont font, std::initializer_list<HWND> controls) {
  for (HWND control : controls) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  }
  held = std::move(font);
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
    self->fonts_.clear();
    if (self->counter_) self->counter_->Closed();
    self->OnDestroyed();
  }
  return result;
}

}  // namespace orvando::win32

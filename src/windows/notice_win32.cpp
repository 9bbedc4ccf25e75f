#include "windows/notice_win32.h"

#include <algorithm>
#include <utility>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/messages_win32.h"
#include "resource_ids.h"

namespace orvando::win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// On top, as Orvando's own window is: a user coming back to the PC sees it.
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME;
// Twips: the margin around everything, the icon, the text's width, the button.
constexpr int kMargin = 180, kIcon = 480, kTextWidth = 5400;
constexpr int kButtonWidth = 1125, kButtonHeight = 345;
constexpr int kTextLeft = kMargin + kIcon + kMargin;
constexpr int kClientWidth = kTextLeft + kTextWidth + kMargin;
constexpr UINT kTextFormat = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;

// The font of message boxes, at `dpi`.
HFONT MessageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font = metrics.lfMessageFont;
  font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
  return CreateFontIndirectW(&font);
}

// The height in twips that the control's text needs at the text's width,
// rounded up so that no line is cut when scaled back.
int TextHeightTwips(HWND control, HFONT font, UINT dpi) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  RECT measured{0, 0, TwipsToPx(kTextWidth, dpi), 0};
  HDC dc = GetDC(control);
  {
    const ScopedSelect selected(dc, font);
    DrawTextW(dc, text.c_str(), -1, &measured, kTextFormat | DT_CALCRECT);
  }
  ReleaseDC(control, dc);
  return static_cast<int>((measured.bottom * 1440LL + dpi - 1) / dpi);
}

}  // namespace

NoticeWindow::~NoticeWindow() {
  if (loaded()) DestroyWindow(hwnd());
}

void NoticeWindow::Show(const std::wstring& text) {
  const bool fresh = !loaded();
  if (fresh && !Load()) return;
  SetDlgItemTextW(hwnd(), kText, text.c_str());
  Fit(DpiOf(hwnd()), fresh);
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

bool NoticeWindow::Load() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!Create(L"OrvandoNotice", LoadIconW(instance, MAKEINTRESOURCEW(IDI_ORVANDO)), kStyle,
              kExStyle, kAppTitle, 0, 0, 0, 0, nullptr)) {
    return false;
  }
  CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
                  0, 0, 0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kText)),
                  instance, nullptr);
  CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0,
                  0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOk)), instance,
                  nullptr);
  return true;
}

void NoticeWindow::Fit(UINT dpi, bool centre) {
  HWND text = GetDlgItem(hwnd(), kText);
  HWND ok = GetDlgItem(hwnd(), kOk);
  SwapFont(font_, MessageFont(dpi), {text, ok});

  const int text_height =
      std::max(kIcon, TextHeightTwips(text, static_cast<HFONT>(font_.get()), dpi));
  const int button_top = kMargin + text_height + kMargin;
  PlaceChild(text, {kTextLeft, kMargin, kTextWidth, text_height}, dpi);
  PlaceChild(ok, {kClientWidth - kMargin - kButtonWidth, button_top, kButtonWidth, kButtonHeight},
             dpi);
  icon_rect_ = ToPixels({kMargin, kMargin, kIcon, kIcon}, dpi);
  // The system's warning icon drawn at this size, not the shared one scaled.
  const int icon_px = icon_rect_.right - icon_rect_.left;
  icon_.reset(
      static_cast<HICON>(LoadImageW(nullptr, IDI_WARNING, IMAGE_ICON, icon_px, icon_px, 0)));

  const SIZE size = WindowSizeForClient(kClientWidth, button_top + kButtonHeight + kMargin, kStyle,
                                        kExStyle, false, dpi);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE;
  int x = 0, y = 0;
  if (centre) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    x = work.left + (work.right - work.left - size.cx) / 2;
    y = work.top + (work.bottom - work.top - size.cy) / 2;
    flags &= ~SWP_NOMOVE;
  }
  SetWindowPos(hwnd(), nullptr, x, y, size.cx, size.cy, flags);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void NoticeWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  if (icon_) {
    DrawIconEx(dc, icon_rect_.left, icon_rect_.top, icon_.get(), icon_rect_.right - icon_rect_.left,
               icon_rect_.bottom - icon_rect_.top, 0, nullptr, DI_NORMAL);
  }
  EndPaint(hwnd(), &ps);
}

LRESULT NoticeWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      // OK, Enter, Escape: the notice has been read.
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) DestroyWindow(hwnd());
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    default:
      break;
  }
  return Window::OnMessage(message, wparam, lparam);
}

}  // namespace orvando::win32

#include "windows/notice_win32.h"

#include <algorithm>
#include <array>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/messages_win32.h"
#include "resource_ids.h"

namespace orvando::win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// On top, as Orvando's own window is: a user coming back to the PC sees it.
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME;
// Twips: the margin around everything, the icon, the text's width, the button.
constexpr int kMargin = 180, kIconSize = 480, kTextWidth = 5400;
constexpr int kButtonWidth = 1125, kButtonHeight = 345;
// The text's row, right of the icon and as tall as it; a longer text
// stretches it.
constexpr TwipsRect kTextRow = {kMargin + kIconSize + kMargin, kMargin, kTextWidth, kIconSize};
constexpr int kTextBottom = kTextRow.top + kTextRow.height;
constexpr int kClientWidth = kTextRow.left + kTextRow.width + kMargin;
constexpr int kButtonTop = kTextBottom + kMargin;
constexpr int kClientHeight = kButtonTop + kButtonHeight + kMargin;
constexpr UINT kTextFormat = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;

// In tab order. The rows as they stand for a text no taller than the icon.
constexpr ControlSpec kControls[] = {
    {NoticeWindow::kIcon,
     0,
     L"STATIC",
     "",
     SS_OWNERDRAW,
     0,
     {kMargin, kMargin, kIconSize, kIconSize}},
    {NoticeWindow::kText, 0, L"STATIC", "", SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0, kTextRow},
    {NoticeWindow::kOk,
     0,
     L"BUTTON",
     "OK",
     BS_DEFPUSHBUTTON | WS_TABSTOP,
     0,
     {kClientWidth - kMargin - kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight}},
};

// The table for a text `extra` twips taller than its row: the text's row
// grows by as much, and every row below it moves down by as much.
auto Stretched(int extra) {
  auto table = std::to_array(kControls);
  for (ControlSpec& spec : table) {
    if (spec.id == NoticeWindow::kText)
      spec.rect.height += extra;
    else if (spec.rect.top >= kTextBottom)
      spec.rect.top += extra;
  }
  return table;
}

// The height in twips that the control's text needs at the text's width,
// rounded up so that no line is cut when scaled back. Before the controls
// exist there is no text: nothing to stretch.
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

// Centred when it first shows; a new text keeps it where it stands, which
// may be where the user moved it.
void NoticeWindow::Show(const std::wstring& text) {
  const bool fresh = !loaded();
  if (fresh && !Load()) return;
  SetDlgItemTextW(hwnd(), kText, text.c_str());
  Layout(DpiOf(hwnd()));
  if (fresh) CentreOnWorkArea(hwnd());
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

bool NoticeWindow::Load() {
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ORVANDO));
  if (!Create(L"OrvandoNotice", icon, kStyle, kExStyle, kAppTitle, 0, 0, 0, 0, nullptr))
    return false;
  Layout(DpiOf(hwnd()));
  return true;
}

// The text is measured first, in the font it will have: what it needs beyond
// its row is what the table stretches by, and the frame grows by as much.
void NoticeWindow::Layout(UINT dpi) {
  HFONT font = CreatePointFont(8, dpi);
  HWND text = GetDlgItem(hwnd(), kText);
  const int extra = std::max(0, TextHeightTwips(text, font, dpi) - kTextRow.height);
  LayOutControls(hwnd(), Stretched(extra), dpi);
  SwapFont(font_, font, {GetDlgItem(hwnd(), kText), GetDlgItem(hwnd(), kOk)});
  // The system's warning icon drawn at this size, not the shared one scaled.
  const int icon_px = TwipsToPx(kIconSize, dpi);
  icon_.reset(
      static_cast<HICON>(LoadImageW(nullptr, IDI_WARNING, IMAGE_ICON, icon_px, icon_px, 0)));
  FitFrameToClient(hwnd(), kClientWidth, kClientHeight + extra, dpi);
  // Every control drawn anew, the icon too: one that grows would draw its new part only.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void NoticeWindow::DrawIcon(const DRAWITEMSTRUCT& item) const {
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  if (!icon_) return;
  DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, icon_.get(),
             item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top, 0, nullptr,
             DI_NORMAL);
}

LRESULT NoticeWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      // OK, Enter, Escape: the notice has been read.
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) DestroyWindow(hwnd());
      return 0;
    case WM_DRAWITEM:
      if (wparam == kIcon) DrawIcon(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    default:
      break;
  }
  return Window::OnMessage(message, wparam, lparam);
}

}  // namespace orvando::win32

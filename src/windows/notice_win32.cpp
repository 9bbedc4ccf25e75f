#include "windows/notice_win32.h"

#include <algorithm>
#include <array>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/messages_win32.h"
#include "platform/win32/unique_handle_win32.h"
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
    {NoticeWindow::kIcon, 0, nullptr, "", 0, 0, {kMargin, kMargin, kIconSize, kIconSize}},
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
  const WindowDc dc(control);
  const ScopedSelect selected(dc.get(), font);
  DrawTextW(dc.get(), text.c_str(), -1, &measured, kTextFormat | DT_CALCRECT);
  return static_cast<int>((measured.bottom * 1440LL + dpi - 1) / dpi);
}

}  // namespace

// Centred when it first shows, at the height of its first text; a new text
// keeps it where it stands, which may be where the user moved it.
void NoticeWindow::Show(const std::wstring& text) {
  const bool fresh = !loaded();
  if (fresh && !Create({.class_name = L"OrvandoNotice",
                        .title = "Orvando",
                        .style = kStyle,
                        .ex_style = kExStyle,
                        .icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ORVANDO)),
                        .width = kClientWidth,
                        .height = kClientHeight})) {
    return;
  }
  SetDlgItemTextW(hwnd(), kText, text.c_str());
  Layout(DpiOf(hwnd()));
  if (fresh) CentreOnWorkArea(hwnd());
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

// The text is measured first, in the font it will have: what it needs beyond
// its row is what the table stretches by, and the frame grows by as much.
void NoticeWindow::Layout(UINT dpi) {
  const UniqueFont font = CreatePointFont({}, dpi);
  const int extra =
      std::max(0, TextHeightTwips(GetDlgItem(hwnd(), kText), font.get(), dpi) - kTextRow.height);
  LayOut(Stretched(extra), dpi);
  // The system's warning icon drawn at this size, not the shared one scaled.
  icon_.SetIcon(LoadIconAt(nullptr, IDI_WARNING, TwipsToPx(kIconSize, dpi)));
  FitFrameToClient(hwnd(), kClientWidth, kClientHeight + extra, dpi);
  // Every control drawn anew: one that grows would draw its new part only.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT NoticeWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      icon_.CreateChild(hwnd(), kIcon, true, nullptr);
      return 0;
    case WM_COMMAND:
      // OK, Enter, Escape: the notice has been read.
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) Destroy();
      return 0;
    default:
      break;
  }
  return Window::OnMessage(message, wparam, lparam);
}

}  // namespace orvando::win32

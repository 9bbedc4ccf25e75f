#include "windows/signal_window_win32.h"

#include "platform/win32/dpi_win32.h"
#include "platform/win32/text_win32.h"
#include "resource_ids.h"

namespace orvando::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 5880, kClientHeight = 2325;  // twips

// In the tab order.
constexpr ControlSpec kControls[] = {
    {SignalWindowWin32::kLabel1,
     0,
     L"STATIC",
     SignalWindow::kExplanation,
     SS_LEFT | SS_NOPREFIX,
     0,
     {120, 120, 5640, 390}},
    {SignalWindowWin32::kText1,
     0,
     L"EDIT",
     "",
     ES_AUTOHSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE,
     {120, 600, 5640, 315}},
    {SignalWindowWin32::kLabel3,
     0,
     L"STATIC",
     "",
     SS_LEFT | SS_NOPREFIX,
     0,
     {120, 1005, 5640, 255}},
    {SignalWindowWin32::kLabel2,
     0,
     L"STATIC",
     "",
     SS_LEFT | SS_NOPREFIX,
     0,
     {120, 1320, 5640, 390}},
    {SignalWindowWin32::kCommandTester,
     0,
     L"BUTTON",
     "Tester",
     BS_PUSHBUTTON | WS_TABSTOP,
     0,
     {120, 1860, 1095, 345}},
    {SignalWindowWin32::kCommandOK,
     0,
     L"BUTTON",
     "OK",
     BS_DEFPUSHBUTTON | WS_TABSTOP,
     0,
     {3465, 1860, 1095, 345}},
    {SignalWindowWin32::kCommandAnnuler,
     0,
     L"BUTTON",
     "Annuler",
     BS_PUSHBUTTON | WS_TABSTOP,
     0,
     {4665, 1860, 1095, 345}},
};

}  // namespace

void SignalWindowWin32::Open() {
  if (!loaded()) {
    if (!Create({.class_name = L"OrvandoSignal",
                 .title = SignalWindow::kTitle,
                 .style = kStyle,
                 .ex_style = kExStyle,
                 .icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ORVANDO)),
                 .width = kClientWidth,
                 .height = kClientHeight,
                 .place = WindowArgs::Place::Centred})) {
      return;
    }
    SendMessageW(Control(kText1), EM_SETLIMITTEXT, 4096, 0);
  }
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
  SetFocus(Control(kText1));
}

void SignalWindowWin32::Close() {
  Destroy();
}

void SignalWindowWin32::Layout(UINT dpi) {
  LayOut(kControls, dpi);
}

void SignalWindowWin32::ShowAddress(const std::string& address) {
  if (loaded()) SetWindowTextW(Control(kText1), Widen(address).c_str());
}

std::string SignalWindowWin32::EditedAddress() const {
  HWND edit = Control(kText1);
  if (!edit) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  const int n = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
  return Narrow(text.data(), n);
}

void SignalWindowWin32::ShowResult(const std::string& result) {
  if (loaded()) SetWindowTextW(Control(kLabel2), Widen(result).c_str());
}

void SignalWindowWin32::ShowService(const std::string& text) {
  if (loaded()) SetWindowTextW(Control(kLabel3), Widen(text).c_str());
}

void SignalWindowWin32::EnableTest(bool enabled) {
  if (loaded()) EnableWindow(Control(kCommandTester), enabled);
}

LRESULT SignalWindowWin32::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && LOWORD(wparam) == kText1 && HIWORD(wparam) == EN_CHANGE) {
    core_.Text1_Change();
    return 0;
  }
  if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
    switch (LOWORD(wparam)) {
      case kCommandTester:
        core_.CommandTester_Click();
        return 0;
      case kCommandOK:  // and Enter
        core_.CommandOK_Click();
        return 0;
      case kCommandAnnuler:  // and Escape, and the close box
        core_.CommandAnnuler_Click();
        return 0;
    }
  }
  if (message == WM_CLOSE) {
    core_.CommandAnnuler_Click();
    return 0;
  }
  return Window::OnMessage(message, wparam, lparam);
}

}  // namespace orvando::win32

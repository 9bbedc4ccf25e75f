#include "main_window/form_timer_win32.h"

#include <iterator>
#include <utility>

#include "config/config_format.h"
#include "main_window/form_timer_layout.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/module_fenetr_dessu_win32.h"
#include "platform/win32/text_win32.h"
#include "resource_ids.h"
#include "windows/select_dir_win32.h"

namespace orvando::win32 {

namespace L = form_timer_layout;

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr int kDureeChoices = static_cast<int>(std::size(L::kMenuDureeChoices));
static_assert(std::size(L::kMenuDureeChoices) == std::size(config::kRunMinutes));
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

COLORREF ToColorRef(uint32_t packed) {  // blue * 65536 + green * 256 + red
  return RGB(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF);
}

constexpr TwipsRect Rect(const L::Box& b) {
  return {b.left, b.top, b.width, b.height};
}

// Command1 and the indicator sit in Frame2, a group box drawn around them.
constexpr TwipsRect InFrame2(const L::Box& b) {
  return {L::kFrame2.left + b.left, L::kFrame2.top + b.top, b.width, b.height};
}

constexpr TwipsRect OptionRect(int index) {
  return {L::kFrame1.left + L::kOptionLeft[index], L::kFrame1.top + L::kOptionTop, L::kOptionWidth,
          L::kOptionHeight};
}

constexpr DWORD OptionStyle(int index) {
  // A row of push-style radio buttons; the program decides which is down.
  return BS_RADIOBUTTON | BS_PUSHLIKE | WS_TABSTOP | (index == 0 ? WS_GROUP : 0);
}

// In creation order, which is the tab order.
constexpr ControlSpec kControls[] = {
    {FormTimerWin32::kFrame1, 0, L"BUTTON", L::kFrame1Caption, BS_GROUPBOX, 0, Rect(L::kFrame1)},
    {FormTimerWin32::kOption1 + 0, 0, L"BUTTON", L::kOptionCaptions[0], OptionStyle(0), 0,
     OptionRect(0)},
    {FormTimerWin32::kOption1 + 1, 0, L"BUTTON", L::kOptionCaptions[1], OptionStyle(1), 0,
     OptionRect(1)},
    {FormTimerWin32::kOption1 + 2, 0, L"BUTTON", L::kOptionCaptions[2], OptionStyle(2), 0,
     OptionRect(2)},
    {FormTimerWin32::kOption1 + 3, 0, L"BUTTON", L::kOptionCaptions[3], OptionStyle(3), 0,
     OptionRect(3)},
    {FormTimerWin32::kOption1 + 4, 0, L"BUTTON", L::kOptionCaptions[4], OptionStyle(4), 0,
     OptionRect(4)},
    {FormTimerWin32::kLabel2,
     0,
     L"STATIC",
     "00:00:00",
     SS_CENTER | WS_BORDER | WS_GROUP,
     0,
     Rect(L::kLabel2),
     {.points = 12}},
    {FormTimerWin32::kFrame2, 0, L"BUTTON", "", BS_GROUPBOX | WS_GROUP, 0, Rect(L::kFrame2)},
    {FormTimerWin32::kCommand1, 0, L"BUTTON", "Start", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0,
     InFrame2(L::kCommand1)},
    {FormTimerWin32::kLabel1, 0, L"STATIC", "", WS_BORDER, 0, InFrame2(L::kLabel1)},
};

HMENU BuildMenu() {
  auto item = [](HMENU menu, UINT flags, UINT_PTR id, const char* text) {
    AppendMenuW(menu, flags, id, Widen(text).c_str());
  };
  HMENU fichier = CreatePopupMenu();
  item(fichier, MF_STRING, FormTimerWin32::kMenuModifFichierId, L::kMenuModifFichier);
  item(fichier, MF_STRING, FormTimerWin32::kMenuHistoriqueId, L::kMenuHistorique);
  HMENU duree = CreatePopupMenu();
  for (int i = 0; i < kDureeChoices; ++i) {
    item(duree, MF_STRING, FormTimerWin32::kMenuDureeId + i, L::kMenuDureeChoices[i]);
  }
  HMENU option = CreatePopupMenu();
  item(option, MF_POPUP, reinterpret_cast<UINT_PTR>(duree), L::kMenuDuree);
  item(option, MF_STRING, FormTimerWin32::kMenuSignalId, L::kMenuSignal);
  item(option, MF_STRING | MF_GRAYED, 1003, L::kMenuJouerson);
  item(option, MF_STRING | MF_GRAYED, 1004, L::kMenuMinimise);
  item(option, MF_SEPARATOR, 0, "");
  item(option, MF_STRING, FormTimerWin32::kMenuDemarrageId, L::kMenuDemarrage);
  HMENU intero = CreatePopupMenu();
  item(intero, MF_STRING, FormTimerWin32::kMenuAideId, L::kMenuAide);
  item(intero, MF_STRING, FormTimerWin32::kMenuAboutId, L::kMenuAbout);
  HMENU bar = CreateMenu();
  item(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(fichier), L::kMenuFichier);
  item(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(option), L::kMenuOption);
  item(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(intero), L::kMenuIntero);
  return bar;
}

}  // namespace

bool FormTimerWin32::Create() {
  if (!Window::Create({.class_name = kClassName,
                       .title = L::kCaption,
                       .style = kStyle,
                       .menu = BuildMenu(),
                       .icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ORVANDO)),
                       .width = L::kClientWidth,
                       .height = L::kClientHeight})) {
    return false;
  }
  SendMessageW(control(kOption1), BM_SETCHECK, BST_CHECKED, 0);
  black_brush_.reset(CreateSolidBrush(RGB(0, 0, 0)));
  dark_brush_.reset(CreateSolidBrush(ToColorRef(kIndicatorDark)));
  bright_brush_.reset(CreateSolidBrush(ToColorRef(kIndicatorBright)));
  return true;
}

void FormTimerWin32::Layout(UINT dpi) {
  LayOut(kControls, dpi);
}

void FormTimerWin32::Start() {
  if (!hwnd()) return;
  if (core_.Visible()) ShowWindow(hwnd(), SW_SHOWNORMAL);
  started_ = true;
  SetTimer(hwnd(), kTimerId, 1000, nullptr);
  OnTimer();  // aligns the tick to the next second boundary
}

// Back from sleep, or with the clock set, the tick comes at once rather than
// when the timer armed before falls due. From the message loop, not from here:
// these messages are sent, and whoever sent them waits for our answer.
void FormTimerWin32::TickSoon() {
  if (started_ && hwnd()) SetTimer(hwnd(), kTimerId, USER_TIMER_MINIMUM, nullptr);
}

void FormTimerWin32::OnTimer() {
  const int delay = core_.OnTimerEvent();
  if (hwnd()) SetTimer(hwnd(), kTimerId, static_cast<UINT>(delay), nullptr);
}

void FormTimerWin32::ShowCommand1Caption(const std::string& caption) {
  if (hwnd()) SetWindowTextW(control(kCommand1), Widen(caption).c_str());
}

void FormTimerWin32::ShowLabel1BackColor(uint32_t color) {
  if (color == indicator_color_) return;
  indicator_color_ = color;
  if (color != kIndicatorDark && color != kIndicatorBright) {
    other_brush_.reset(CreateSolidBrush(ToColorRef(color)));
  }
  if (hwnd()) InvalidateRect(control(kLabel1), nullptr, TRUE);
}

HBRUSH FormTimerWin32::IndicatorBrush() const {
  return indicator_color_ == kIndicatorDark     ? dark_brush_.get()
         : indicator_color_ == kIndicatorBright ? bright_brush_.get()
                                                : other_brush_.get();
}

void FormTimerWin32::ShowLabel2Caption(const std::string& caption) {
  if (hwnd()) SetWindowTextW(control(kLabel2), Widen(caption).c_str());
}

void FormTimerWin32::ShowOptionSelected(int index) {
  if (!hwnd()) return;
  for (int i = 0; i < 5; ++i) {
    SendMessageW(control(kOption1 + i), BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void FormTimerWin32::MakeTopmost() {
  if (hwnd()) ModuleFenetrDessu::MakeTopmost(hwnd());
}

void FormTimerWin32::SetVisible(bool visible) {
  // Before the start-up sequence ends, Start() shows the window.
  if (hwnd() && (started_ || !visible)) ShowWindow(hwnd(), visible ? SW_SHOW : SW_HIDE);
}

void FormTimerWin32::SetSessionEndReason(const std::string& reason) {
  if (!hwnd()) return;
  if (reason.empty())
    ShutdownBlockReasonDestroy(hwnd());
  else
    ShutdownBlockReasonCreate(hwnd(), Widen(reason).c_str());
}

// The marks are read as each menu opens: the Run value may have been
// changed elsewhere meanwhile (Task Manager's start-up list, another copy).
void FormTimerWin32::OnInitMenu(HMENU menu) {
  const auto holds = [menu](UINT id) {
    return GetMenuState(menu, id, MF_BYCOMMAND) != static_cast<UINT>(-1);
  };
  if (holds(kMenuDureeId)) {
    // A radio mark (MFT_RADIOCHECK) on the length chosen.
    CheckMenuRadioItem(menu, kMenuDureeId, kMenuDureeId + kDureeChoices - 1,
                       kMenuDureeId + core_.menuDuree_Selected(), MF_BYCOMMAND);
  }
  if (holds(kMenuDemarrageId)) {
    CheckMenuItem(menu, kMenuDemarrageId,
                  MF_BYCOMMAND | (core_.menuDemarrage_Checked() ? MF_CHECKED : MF_UNCHECKED));
  }
}

// A second copy started by the user: the window they lost behind others, or
// the installation window while it stands in for it.
bool FormTimerWin32::ComeToTheFront() {
  HWND window = hwnd();
  if (!IsWindowVisible(window)) {
    window = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM found) {
          wchar_t name[32];
          if (!IsWindowVisible(w) || !GetClassNameW(w, name, 32) ||
              lstrcmpW(name, SelectDirWindow::kClassName) != 0) {
            return TRUE;
          }
          *reinterpret_cast<HWND*>(found) = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&window));
    if (!window) return false;
  }
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
  return true;
}

void FormTimerWin32::Destroy() {
  Window::Destroy();
}

void FormTimerWin32::OnCommand(int id) {
  if (id == kCommand1) core_.Command1_Click();
  if (id >= kOption1 && id < kOption1 + 5) core_.SelectOption(id - kOption1);
  if (id == kMenuAboutId) core_.menuAbout_Click();
  if (id == kMenuModifFichierId) core_.menuModifFichier_Click();
  if (id == kMenuHistoriqueId) core_.menuHistorique_Click();
  if (id == kMenuAideId) core_.menuAide_Click();
  if (id == kMenuDemarrageId) core_.menuDemarrage_Click();
  if (id == kMenuSignalId) core_.menuSignal_Click();
  if (id >= kMenuDureeId && id < kMenuDureeId + kDureeChoices) {
    core_.menuDuree_Click(id - kMenuDureeId);
  }
}

LRESULT FormTimerWin32::OnColorStatic(HDC dc, HWND control_window) {
  const int id = GetDlgCtrlID(control_window);
  if (id == kLabel1) return reinterpret_cast<LRESULT>(IndicatorBrush());
  if (id == kLabel2) {
    SetTextColor(dc, ToColorRef(form_timer_layout::kClockTextColor));
    SetBkColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(black_brush_.get());
  }
  return DefWindowProcW(hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(control_window));
}

LRESULT FormTimerWin32::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED || lparam == 0) OnCommand(LOWORD(wparam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnColorStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_TIMER:
      if (wparam == kTimerId) OnTimer();
      return 0;
    case WM_CLOSE:  // close box, system menu, task list, Alt+F4
      core_.Unload();
      return 0;
    case WM_QUERYENDSESSION:  // Windows shutting down or logging off
      return core_.QueryEndSession((lparam & ENDSESSION_CRITICAL) != 0);
    case WM_INITMENUPOPUP:
      OnInitMenu(reinterpret_cast<HMENU>(wparam));
      return 0;
    case WM_POWERBROADCAST:
      if (wparam == PBT_APMSUSPEND) core_.OnSuspend();
      if (wparam == PBT_APMRESUMEAUTOMATIC) core_.OnResume();
      if (wparam == PBT_APMRESUMEAUTOMATIC) TickSoon();
      return TRUE;
    case WM_TIMECHANGE:  // the clock was set
      TickSoon();
      return 0;
    case WM_ENDSESSION:  // the answer is in: the session ends, or goes on
      core_.EndSession(wparam != 0);
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd(), kTimerId);
      return 0;
  }
  static const UINT show_yourself = RegisterWindowMessageW(kShowYourselfMessage);
  if (message == show_yourself) {
    // Only the copy that runs answers, once a window of its own has come:
    // one still starting is about to end.
    return started_ && ComeToTheFront() ? kShownAnswer : 0;
  }
  return Window::OnMessage(message, wparam, lparam);
}

}  // namespace orvando::win32

#include "windows/about_win32.h"

#include <utility>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/text_win32.h"
#include "resource_ids.h"

namespace orvando::win32 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// A tool window has a small title bar with only the close box, and no
// task-bar button.
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;
constexpr int kClientWidth = 3630, kClientHeight = 3225;  // twips
constexpr COLORREF kLinkGreen = RGB(0, 128, 0);

// Where each control sits, in twips, in its container (0: the window).
struct Placement {
  AboutControl id;
  int container;
  TwipsRect rect;
};
constexpr Placement kPlacements[] = {
    {kAboutFrame1, 0, {120, 0, 3375, 1335}},
    {kAboutImage3, kAboutFrame1, {120, 480, 480, 480}},
    {kAboutLabel4, kAboutFrame1, {720, 240, 2535, 615}},
    {kAboutLabel3, kAboutFrame1, {1080, 915, 615, 255}},
    {kAboutLabel5, kAboutFrame1, {1800, 975, 855, 135}},
    {kAboutMail, 0, {360, 1320, 3015, 615}},
    {kAboutImage1, kAboutMail, {120, 120, 480, 480}},
    {kAboutLabel1, kAboutMail, {720, 240, 2175, 255}},
    // Wider than the window: its right end is simply cut off.
    {kAboutSiteZR, 0, {0, 2040, 3855, 615}},
    {kAboutImage2, kAboutSiteZR, {120, 0, 1095, 495}},
    {kAboutLabel2, kAboutSiteZR, {1320, 120, 2295, 255}},
    {kAboutCommand1, 0, {1320, 2760, 975, 375}},
};

const Placement& PlacementOf(AboutControl id) {
  for (const Placement& p : kPlacements) {
    if (p.id == id) return p;
  }
  return kPlacements[0];
}

HWND AddControl(HWND parent, const wchar_t* kind, const std::string& text, DWORD style, int id) {
  return CreateWindowExW(0, kind, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

void SetFont(HWND control, const UniqueGdi& font) {
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
}

}  // namespace

AboutWin32::AboutWin32(Shell& shell, WindowCounter* counter)
    : Window(counter),
      shell_(shell),
      hand_(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_POINTING_HAND))) {}

// Destroyed here, while the panes and pictures it holds still exist.
AboutWin32::~AboutWin32() {
  Unload();
}

void AboutWin32::Show() {
  if (!loaded() && !Load()) return;
  ShowWindow(hwnd(), SW_SHOWNORMAL);
}

void AboutWin32::Unload() {
  if (loaded()) DestroyWindow(hwnd());
}

HWND AboutWin32::Control(AboutControl id) const {
  if (!loaded()) return nullptr;
  const Placement& p = PlacementOf(id);
  HWND container = p.container ? GetDlgItem(hwnd(), p.container) : hwnd();
  return GetDlgItem(container, id);
}

// Every load starts afresh: the previous load's state is not kept.
bool AboutWin32::Load() {
  const UINT dpi = SystemDpi();
  const SIZE size = WindowSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, false, dpi);
  if (!Create(L"OrvandoAbout", nullptr, kStyle, kExStyle, L"About ZR", 0, 0, size.cx, size.cy,
              nullptr)) {
    return false;
  }
  about_ = std::make_unique<About>(static_cast<AboutView&>(*this), shell_);
  CreateControls();
  const UINT window_dpi = DpiOf(hwnd());
  ApplyDpi(window_dpi);
  CentreOnScreen(window_dpi);
  about_->Form_Load();
  return true;
}

void AboutWin32::CreateControls() {
  About& about = *about_;
  frame1_.CreateChild(hwnd(), kAboutFrame1, true, {});
  mail_.CreateChild(hwnd(), kAboutMail, false,
                    {[&about] { about.Mail_MouseMove(); }, [&about] { about.Mail_Click(); }});
  site_zr_.CreateChild(
      hwnd(), kAboutSiteZR, false,
      {[&about] { about.SiteZR_MouseMove(); }, [&about] { about.SiteZR_Click(); }});

  image3_.CreateChild(frame1_.hwnd(), kAboutImage3, true, nullptr);
  AddControl(frame1_.hwnd(), L"STATIC", "Orvando pour Station météo ws2300",
             SS_CENTER | SS_NOPREFIX, kAboutLabel4);
  AddControl(frame1_.hwnd(), L"STATIC", "V 1.00", SS_CENTER | SS_NOPREFIX, kAboutLabel3);
  AddControl(frame1_.hwnd(), L"STATIC", About::Label5Text(), SS_LEFT | SS_NOPREFIX, kAboutLabel5);

  image1_.CreateChild(mail_.hwnd(), kAboutImage1, true, [&about] { about.Image1_Click(); });
  AddControl(mail_.hwnd(), L"STATIC", About::MailAddress(), SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
             kAboutLabel1);

  // The banner is disabled and takes no pointer events: they reach SiteZR.
  image2_.CreateChild(site_zr_.hwnd(), kAboutImage2, false, nullptr);
  AddControl(site_zr_.hwnd(), L"STATIC", About::SiteAddress(), SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
             kAboutLabel2);

  // A plain push button: neither the Enter default nor the Escape cancel.
  AddControl(hwnd(), L"BUTTON", "OK", BS_PUSHBUTTON | WS_TABSTOP, kAboutCommand1);
}

void AboutWin32::ApplyDpi(UINT dpi) {
  CreateFonts(dpi);
  LoadPictures(dpi);
  for (const Placement& p : kPlacements) PlaceChild(Control(p.id), p.rect, dpi);
}

// The fonts the controls hold are freed only once each control has its new
// one: the moves and repaints between may still draw with them.
void AboutWin32::CreateFonts(UINT dpi) {
  UniqueGdi title(CreatePointFont(L"MS Sans Serif", 12, true, false, dpi));
  UniqueGdi version(CreatePointFont(L"MS Sans Serif", 9.75, false, false, dpi));
  UniqueGdi date(CreatePointFont(L"MS Serif", 6, false, false, dpi));
  UniqueGdi plain(CreatePointFont(L"MS Sans Serif", 8, false, false, dpi));
  UniqueGdi link(CreatePointFont(L"MS Sans Serif", 8, false, true, dpi));
  SetFont(Control(kAboutLabel4), title);
  SetFont(Control(kAboutLabel3), version);
  SetFont(Control(kAboutLabel5), date);
  SetFont(Control(kAboutCommand1), plain);
  SetFont(Control(kAboutLabel1), underlined_[0] ? link : plain);
  SetFont(Control(kAboutLabel2), underlined_[1] ? link : plain);
  title_font_ = std::move(title);
  version_font_ = std::move(version);
  date_font_ = std::move(date);
  default_font_ = std::move(plain);
  link_font_ = std::move(link);
}

void AboutWin32::LoadPictures(UINT dpi) {
  const int icon_px = TwipsToPx(480, dpi);
  clock_icon_.reset(LoadIconAt(IDI_ORVANDO, icon_px));
  envelope_icon_.reset(LoadIconAt(IDI_ENVELOPE, icon_px));
  const RECT banner = ToPixels(PlacementOf(kAboutImage2).rect, dpi);
  banner_.reset(
      LoadScaledPicture(IDR_BANNER, banner.right - banner.left, banner.bottom - banner.top));
  image3_.SetIcon(clock_icon_.get());
  image1_.SetIcon(envelope_icon_.get());
  image2_.SetBitmap(static_cast<HBITMAP>(banner_.get()));
}

void AboutWin32::CentreOnScreen(UINT dpi) {
  FitFrameToClient(hwnd(), kClientWidth, kClientHeight, dpi);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT frame;
  GetWindowRect(hwnd(), &frame);
  const RECT& screen = monitor.rcMonitor;
  SetWindowPos(hwnd(), nullptr,
               screen.left + (screen.right - screen.left - (frame.right - frame.left)) / 2,
               screen.top + (screen.bottom - screen.top - (frame.bottom - frame.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::uintptr_t AboutWin32::WindowHandle() const {
  return reinterpret_cast<std::uintptr_t>(hwnd());
}

void AboutWin32::SetLabel1Underlined(bool underlined) {
  underlined_[0] = underlined;
  SetFont(Control(kAboutLabel1), underlined ? link_font_ : default_font_);
}

void AboutWin32::SetLabel2Underlined(bool underlined) {
  underlined_[1] = underlined;
  SetFont(Control(kAboutLabel2), underlined ? link_font_ : default_font_);
}

LRESULT AboutWin32::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEMOVE:  // only over the background: every control is a window
      if (about_) about_->Form_MouseMove();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wparam), LOWORD(lparam))) return TRUE;
      break;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyDpi(HIWORD(wparam));
      InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    }
    default:
      break;
  }
  return Window::OnMessage(message, wparam, lparam);
}

void AboutWin32::OnCommand(int id, int code) {
  if (!about_) return;
  if (id == kAboutCommand1 && code == BN_CLICKED) about_->Command1_Click();
  if (id == kAboutLabel1 && code == STN_CLICKED) about_->Label1_Click();
  if (id == kAboutLabel2 && code == STN_CLICKED) about_->Label2_Click();
}

LRESULT AboutWin32::OnCtlColorStatic(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  COLORREF text = GetSysColor(COLOR_BTNTEXT);
  if (id == kAboutLabel1 || id == kAboutLabel2) text = kLinkGreen;
  if (id == kAboutLabel5) text = GetSysColor(COLOR_BTNSHADOW);
  SetTextColor(dc, text);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// The pointing hand over the two addresses and the envelope.
bool AboutWin32::OnSetCursor(HWND over, int hit) {
  if (hit != HTCLIENT || !hand_) return false;
  if (over != Control(kAboutLabel1) && over != Control(kAboutLabel2) &&
      over != Control(kAboutImage1)) {
    return false;
  }
  SetCursor(hand_);
  return true;
}

}  // namespace orvando::win32

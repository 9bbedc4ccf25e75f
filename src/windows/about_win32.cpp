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

constexpr TwipsRect kBanner = {120, 0, 1095, 495};

// Where each control sits, in twips, in its container (0: the window). The
// panes and the pictures are objects of their own, made by CreateControls.
constexpr ControlSpec kControls[] = {
    {kAboutFrame1, 0, nullptr, "", 0, 0, {120, 0, 3375, 1335}},
    {kAboutImage3, kAboutFrame1, nullptr, "", 0, 0, {120, 480, 480, 480}},
    {kAboutLabel4,
     kAboutFrame1,
     L"STATIC",
     "Orvando pour Station météo ws2300",
     SS_CENTER | SS_NOPREFIX,
     0,
     {720, 240, 2535, 615},
     {.points = 12, .bold = true}},
    {kAboutLabel3,
     kAboutFrame1,
     L"STATIC",
     "V 1.30",
     SS_CENTER | SS_NOPREFIX,
     0,
     {1080, 915, 615, 255},
     {.points = 9.75}},
    {kAboutLabel5,
     kAboutFrame1,
     L"STATIC",
     "",
     SS_LEFT | SS_NOPREFIX,
     0,
     {1800, 975, 855, 135},
     {.points = 6, .face = L"MS Serif"}},
    {kAboutMail, 0, nullptr, "", 0, 0, {360, 1320, 3015, 615}},
    {kAboutImage1, kAboutMail, nullptr, "", 0, 0, {120, 120, 480, 480}},
    {kAboutLabel1,
     kAboutMail,
     L"STATIC",
     AuthorContact::kMail.data(),
     SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
     0,
     {720, 240, 2175, 255}},
    // Wider than the window: its right end is simply cut off.
    {kAboutSiteZR, 0, nullptr, "", 0, 0, {0, 2040, 3855, 615}},
    {kAboutImage2, kAboutSiteZR, nullptr, "", 0, 0, kBanner},
    {kAboutLabel2,
     kAboutSiteZR,
     L"STATIC",
     AuthorContact::kSite.data(),
     SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
     0,
     {1320, 120, 2295, 255}},
    // A plain push button: neither the Enter default nor the Escape cancel.
    {kAboutCommand1, 0, L"BUTTON", "OK", BS_PUSHBUTTON | WS_TABSTOP, 0, {1320, 2760, 975, 375}},
};

}  // namespace

AboutWin32::AboutWin32(About& core, WindowCounter* counter)
    : Window(counter),
      core_(core),
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
  Destroy();
}

HWND AboutWin32::Control(AboutControl id) const {
  return loaded() ? ControlOf(hwnd(), kControls, id) : nullptr;
}

// Every load starts afresh: the previous load's state is not kept.
bool AboutWin32::Load() {
  underlined_[0] = underlined_[1] = false;
  if (!Create({.class_name = L"OrvandoAbout",
               .title = "About ZR",
               .style = kStyle,
               .ex_style = kExStyle,
               .width = kClientWidth,
               .height = kClientHeight,
               .place = WindowArgs::Place::Centred})) {
    return false;
  }
  SetWindowTextW(Control(kAboutLabel5), Widen(About::Label5Text()).c_str());
  core_.Form_Load();
  return true;
}

// The panes and pictures make themselves; LayOut makes the labels and the
// button in them.
void AboutWin32::CreateControls() {
  About& about = core_;
  frame1_.CreateChild(hwnd(), kAboutFrame1, true, {});
  mail_.CreateChild(hwnd(), kAboutMail, false,
                    {[&about] { about.Mail_MouseMove(); }, [&about] { about.Mail_Click(); }});
  site_zr_.CreateChild(
      hwnd(), kAboutSiteZR, false,
      {[&about] { about.SiteZR_MouseMove(); }, [&about] { about.SiteZR_Click(); }});

  image3_.CreateChild(frame1_.hwnd(), kAboutImage3, true, nullptr);
  image1_.CreateChild(mail_.hwnd(), kAboutImage1, true, [&about] { about.Image1_Click(); });
  // The banner is disabled and takes no pointer events: they reach SiteZR.
  image2_.CreateChild(site_zr_.hwnd(), kAboutImage2, false, nullptr);
}

// An underlined label keeps the link's font, made at the same DPI.
void AboutWin32::Layout(UINT dpi) {
  LayOut(kControls, dpi);
  SwapFont(link_font_, CreatePointFont({.underline = true}, dpi),
           {underlined_[0] ? Control(kAboutLabel1) : nullptr,
            underlined_[1] ? Control(kAboutLabel2) : nullptr});
  LoadPictures(dpi);
}

void AboutWin32::LoadPictures(UINT dpi) {
  const int icon_px = TwipsToPx(480, dpi);
  HINSTANCE module = GetModuleHandleW(nullptr);
  image3_.SetIcon(LoadIconAt(module, MAKEINTRESOURCEW(IDI_ORVANDO), icon_px));
  image1_.SetIcon(LoadIconAt(module, MAKEINTRESOURCEW(IDI_ENVELOPE), icon_px));
  const RECT banner = ToPixels(kBanner, dpi);
  image2_.SetBitmap(
      LoadScaledPicture(IDR_BANNER, banner.right - banner.left, banner.bottom - banner.top));
}

std::uintptr_t AboutWin32::WindowHandle() const {
  return reinterpret_cast<std::uintptr_t>(hwnd());
}

void AboutWin32::SetLabel1Underlined(bool underlined) {
  SetUnderlined(0, kAboutLabel1, underlined);
}

void AboutWin32::SetLabel2Underlined(bool underlined) {
  SetUnderlined(1, kAboutLabel2, underlined);
}

void AboutWin32::SetUnderlined(int link, AboutControl label, bool underlined) {
  underlined_[link] = underlined;
  HFONT font = underlined ? link_font_.get() : FontOf({});
  SendMessageW(Control(label), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

LRESULT AboutWin32::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      return 0;
    case WM_MOUSEMOVE:  // only over the background: every control is a window
      core_.Form_MouseMove();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wparam), LOWORD(lparam))) return TRUE;
      break;
    default:
      break;
  }
  return Window::OnMessage(message, wparam, lparam);
}

void AboutWin32::OnCommand(int id, int code) {
  if (id == kAboutCommand1 && code == BN_CLICKED) core_.Command1_Click();
  if (id == kAboutLabel1 && code == STN_CLICKED) core_.Label1_Click();
  if (id == kAboutLabel2 && code == STN_CLICKED) core_.Label2_Click();
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

#pragma once
// The About window: the program's title, version and author, and two links
// (mail and web site) that underline under the pointer and open through the
// shell. Behaviour lives in About; this class draws it and routes events.

#include <windows.h>

#include "platform/win32/picture_win32.h"
#include "platform/win32/unique_handle_win32.h"
#include "platform/win32/window_win32.h"
#include "windows/about.h"
#include "windows/about_pane_win32.h"
#include "windows/window_links.h"

namespace orvando::win32 {

// Child control ids, unique in the whole window.
enum AboutControl : int {
  kAboutFrame1 = 1001,
  kAboutImage3,
  kAboutLabel4,
  kAboutLabel3,
  kAboutLabel5,
  kAboutMail,
  kAboutImage1,
  kAboutLabel1,
  kAboutSiteZR,
  kAboutImage2,
  kAboutLabel2,
  kAboutCommand1,
};

class AboutWin32 : public Window, public AboutWindowControl, public AboutView {
 public:
  // `counter` (may be null) counts the window among the program's open ones.
  AboutWin32(About& core, WindowCounter* counter);
  ~AboutWin32() override;

  void Show() override;
  void Unload() override;

  // The child control with that id, null when not loaded.
  HWND Control(AboutControl id) const;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Layout(UINT dpi) override;

 private:
  // AboutView: what the core shows.
  std::uintptr_t WindowHandle() const override;
  void SetLabel1Underlined(bool underlined) override;
  void SetLabel2Underlined(bool underlined) override;
  void UnloadWindow() override { Unload(); }

  bool Load();
  void CreateControls();
  void SetUnderlined(int link, AboutControl label, bool underlined);
  void LoadPictures(UINT dpi);
  void OnCommand(int id, int code);
  LRESULT OnCtlColorStatic(HDC dc, HWND control);
  bool OnSetCursor(HWND over, int hit);

  About& core_;
  AboutPane frame1_, mail_, site_zr_;
  Picture image1_, image2_, image3_;
  bool underlined_[2] = {false, false};  // Label1, Label2

  UniqueFont link_font_;
  HCURSOR hand_ = nullptr;
};

}  // namespace orvando::win32

#pragma once
// The "Signal de vie" window on screen: a line saying what the address is
// for, the address, which service it is, the last result, and Tester, OK and
// Annuler. It shows
// SignalWindow's state and passes the clicks to its handlers.

#include <windows.h>

#include "platform/win32/window_win32.h"
#include "windows/signal_window.h"

namespace orvando::win32 {

class SignalWindowWin32 : public Window, public SignalWindowView {
 public:
  // OK and Annuler are the dialog's Enter and Escape buttons.
  enum ControlId : int {
    kLabel1 = 101,  // what the address is for
    kText1,         // the address
    kLabel2,        // the last result
    kCommandTester,
    kLabel3,  // which service the address is
    kCommandOK = IDOK,
    kCommandAnnuler = IDCANCEL,
  };

  SignalWindowWin32(SignalWindow& core, WindowCounter* counter) : Window(counter), core_(core) {}
  ~SignalWindowWin32() override { Close(); }

  HWND Control(int id) const { return loaded() ? GetDlgItem(hwnd(), id) : nullptr; }

  // SignalWindowView
  void Open() override;
  void Close() override;
  bool IsOpen() const override { return loaded(); }
  void ShowAddress(const std::string& address) override;
  std::string EditedAddress() const override;
  void ShowResult(const std::string& result) override;
  void ShowService(const std::string& text) override;
  void EnableTest(bool enabled) override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Layout(UINT dpi) override;

 private:
  SignalWindow& core_;
};

}  // namespace orvando::win32

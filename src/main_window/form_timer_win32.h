#pragma once
// The main window on screen: shows FormTimer's state and forwards clicks,
// the timer and close requests to its handlers.

#include <windows.h>

#include "main_window/form_timer.h"
#include "main_window/form_timer_view.h"
#include "platform/win32/single_instance_win32.h"
#include "platform/win32/unique_handle_win32.h"
#include "platform/win32/window_win32.h"

namespace orvando::win32 {

class FormTimerWin32 : public Window, public FormTimerView {
 public:
  // Control and menu ids, for tests that look inside the window.
  enum : int {
    kCommand1 = 100,
    kOption1 = 200,  // + index
    kLabel1 = 300,
    kLabel2 = 301,
    kFrame1 = 400,
    kFrame2 = 401,
    kMenuAboutId = 1000,
    kMenuModifFichierId = 1001,
    kMenuAideId = 1005,
    kMenuDemarrageId = 1006,
    kMenuHistoriqueId = 1007,
    kMenuSignalId = 1008,
    kMenuDureeId = 1010,  // + the choice, 0..3
  };
  static constexpr const wchar_t* kClassName = kMainWindowClass;

  FormTimerWin32(FormTimer& core, WindowCounter* counter) : Window(counter), core_(core) {}

  // Creates the window hidden, with its controls and menu.
  bool Create();
  // Shows the window if the core wants it visible, and starts the tick.
  void Start();

  HWND control(int id) const { return GetDlgItem(hwnd(), id); }

  // FormTimerView
  void ShowCommand1Caption(const std::string& caption) override;
  void ShowLabel1BackColor(uint32_t color) override;
  void ShowLabel2Caption(const std::string& caption) override;
  void ShowOptionSelected(int index) override;
  void MakeTopmost() override;
  void SetVisible(bool visible) override;
  void SetSessionEndReason(const std::string& reason) override;
  void Destroy() override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Layout(UINT dpi) override;

 private:
  void OnCommand(int id);
  void OnTimer();
  void TickSoon();
  void OnInitMenu(HMENU menu);
  bool ComeToTheFront();
  LRESULT OnColorStatic(HDC dc, HWND control);
  HBRUSH IndicatorBrush() const;

  FormTimer& core_;
  // The indicator's two colours each keep their brush: it blinks every second.
  UniqueBrush dark_brush_;
  UniqueBrush bright_brush_;
  UniqueBrush other_brush_;
  UniqueBrush black_brush_;
  uint32_t indicator_color_ = kIndicatorDark;
  bool started_ = false;
};

}  // namespace orvando::win32

#pragma once
// Base of our windows, and the one way they are written:
// - messages reach the C++ object through GWLP_USERDATA, set at WM_NCCREATE;
// - each window takes its core (its behaviour) by reference; main_win32.cpp
//   owns every core for the program's life;
// - its controls are one table of ControlSpec, created and placed by
//   LayOutControls in twips scaled to the window's DPI;
// - Layout(dpi) is the window's own: called once it is created, and again on
//   WM_DPICHANGED, which the base handles for every window;
// - fonts change through SwapFont, which frees the old one only once no
//   control uses it.
// The application is told when a window is gone, so that the program can end
// once none is left.

#include <windows.h>

#include <initializer_list>
#include <span>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {

// Counts the program's top-level windows; when the last one is destroyed the
// message loop is asked to end.
class WindowCounter {
 public:
  void Opened() { ++open_; }
  void Closed() {
    if (--open_ == 0) PostQuitMessage(0);
  }
  int open() const { return open_; }

 private:
  int open_ = 0;
};

// One control of a window: its id, its container's id (0: the window
// itself), its class, text and styles, and its rectangle in twips within the
// container. A control without a class is an object of its own (a picture,
// a pane) that makes itself; the table only places it.
struct ControlSpec {
  int id;
  int container;
  const wchar_t* window_class;
  const char* text;
  DWORD style;
  DWORD ex_style;
  TwipsRect rect;
};

// Creates the controls of `table` that don't exist yet, in the table's order
// (the tab order), and places every one at `dpi`.
void LayOutControls(HWND window, std::span<const ControlSpec> table, UINT dpi);
// The control `id` of `table`, found in its container; null when none.
HWND ControlOf(HWND window, std::span<const ControlSpec> table, int id);
// Gives `controls` the new `font`, and only then frees the one `held` kept:
// the moves and repaints in between may still draw with it.
void SwapFont(UniqueGdi& held, HFONT font, std::initializer_list<HWND> controls);
// Centres top-level `window`, at its present size, on the work area of its
// monitor (the primary when it is on none): clear of the task bar.
void CentreOnWorkArea(HWND window);

class Window {
 public:
  explicit Window(WindowCounter* counter = nullptr) : counter_(counter) {}
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool loaded() const { return hwnd_ != nullptr; }

 protected:
  // Registers the class once per process and creates the window; OnMessage
  // receives everything from WM_NCCREATE on.
  bool Create(const wchar_t* class_name, HICON icon, DWORD style, DWORD ex_style,
              const wchar_t* title, int x, int y, int width, int height, HMENU menu,
              HWND owner = nullptr);
  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Sizes and places the window's contents at `dpi`.
  virtual void Layout(UINT /*dpi*/) {}
  // Called after WM_NCDESTROY: hwnd() is null again.
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  HWND hwnd_ = nullptr;
  WindowCounter* counter_;
};

}  // namespace orvando::win32

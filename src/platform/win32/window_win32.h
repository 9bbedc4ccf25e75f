#pragma once
// Base of our windows, and the one way they are written:
// - a window is created from a WindowArgs, the caller setting only what it
//   needs; a top-level one is created at the system DPI (the only one known
//   before it exists), its frame then fitted to its own DPI, its contents
//   laid out there, and it is centred on the work area where asked;
// - messages reach the C++ object through GWLP_USERDATA, set at WM_NCCREATE;
// - each window takes its core (its behaviour) by reference; main_win32.cpp
//   owns every core for the program's life;
// - its controls are one table of ControlSpec, with their fonts, created,
//   placed and given their fonts by LayOut in twips scaled to the window's DPI;
// - Layout(dpi) is the window's own: called once it is created, and again on
//   WM_DPICHANGED, which the base handles for every window.
// The application is told when a window is gone, so that the program can end
// once none is left.

#include <windows.h>

#include <initializer_list>
#include <span>
#include <utility>
#include <vector>

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
// itself), its class, text and styles, its rectangle in twips within the
// container, and its font. A control without a class is an object of its
// own (a picture, a pane) that makes itself; the table only places it.
struct ControlSpec {
  int id;
  int container;
  const wchar_t* window_class;
  const char* text;
  DWORD style;
  DWORD ex_style;
  TwipsRect rect;
  FontSpec font = {};
};

// The control `id` of `table`, found in its container; null when none.
HWND ControlOf(HWND window, std::span<const ControlSpec> table, int id);
// Gives `controls` the new `font`, and only then frees the one `held` kept:
// the moves and repaints in between may still draw with it.
void SwapFont(UniqueFont& held, UniqueFont font, std::initializer_list<HWND> controls);
// Centres top-level `window`, at its present size, on the work area of its
// monitor (the primary when it is on none): clear of the task bar.
void CentreOnWorkArea(HWND window);

// How a window is made.
struct WindowArgs {
  const wchar_t* class_name = nullptr;  // registered once per process
  const char* title = "";
  DWORD style = 0;
  DWORD ex_style = 0;
  // The owner of a top-level window, the container of a child (WS_CHILD),
  // or HWND_MESSAGE for a window that only takes messages.
  HWND parent = nullptr;
  int id = 0;            // a child's control id
  HMENU menu = nullptr;  // a top-level window's menu bar
  HICON icon = nullptr;  // its class's, for the title bar and the task bar
  int width = 0;         // a top-level window's client area, twips
  int height = 0;
  enum class Place { Anywhere, At, Centred } place = Place::Anywhere;
  POINT at{};  // Place::At: the client area's top-left corner, twips from the screen's
};

class Window {
 public:
  explicit Window(WindowCounter* counter = nullptr) : counter_(counter) {}
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool loaded() const { return hwnd_ != nullptr; }
  // Destroys the window; nothing happens when it is not loaded.
  void Destroy();

 protected:
  // Creates the window; OnMessage receives everything from WM_NCCREATE on
  // (WM_CREATE: the time to make the objects the table places). A top-level
  // window is then laid out at its DPI.
  bool Create(const WindowArgs& args);
  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Sizes and places the window's contents at `dpi`.
  virtual void Layout(UINT /*dpi*/) {}
  // Called after WM_NCDESTROY: hwnd() is null again.
  virtual void OnDestroyed() {}
  // Creates the controls of `table` that don't exist yet, in the table's
  // order (the tab order), places every one at `dpi` and gives each its
  // font, freeing the fonts of the last layout only then.
  void LayOut(std::span<const ControlSpec> table, UINT dpi);
  // The font LayOut gave the controls of that spec; null before it did.
  HFONT FontOf(const FontSpec& spec) const;
  // The DPI of the last layout: what the window's own drawing must match.
  UINT LaidOutDpi() const { return laid_out_dpi_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  HWND hwnd_ = nullptr;
  WindowCounter* counter_;
  std::vector<std::pair<FontSpec, UniqueFont>> fonts_;
  UINT laid_out_dpi_ = 96;
};

}  // namespace orvando::win32

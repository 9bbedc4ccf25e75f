#pragma once
// Base of our top-level windows: routes messages to a C++ object through
// GWLP_USERDATA (set at WM_NCCREATE), and tells the application when the
// window is gone so that the program can end once none is left.

#include <windows.h>

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
  // Called after WM_NCDESTROY: hwnd() is null again.
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  HWND hwnd_ = nullptr;
  WindowCounter* counter_;
};

}  // namespace orvando::win32

#pragma once
// What starting and closing the station program needs from the OS: starting
// a program, the desktop's top-level windows, and the keyboard.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/outcome.h"

namespace orvando {

// One key pressed or released.
struct KeyEvent {
  enum class Kind {
    VirtualKey,  // `code` is a Windows virtual-key code
    Character,   // `code` is a character; the keyboard layout says which key
                 // (and which shift state) types it
  };
  Kind kind = Kind::VirtualKey;
  uint32_t code = 0;
  bool down = true;  // press, or release

  friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

using WindowHandle = std::uint64_t;  // a top-level window; 0 for none
using ProcessId = std::uint32_t;     // 0 for none

// A window a program shows: its title, and the texts of its static controls
// (what a message box or a dialog says), one line each.
struct ShownWindow {
  std::string title;
  std::string text;
  bool box = false;  // a box (see StationPlatform::IsBox), whatever its title
};

class StationPlatform {
 public:
  virtual ~StationPlatform() = default;

  // Starts the program file `program` (a full path: nothing is searched for)
  // with `folder` as its working folder and `show_state` as the window state
  // it is asked to show its first window in. Returns at once, without waiting
  // for the program. On failure the French error names the file. The process
  // started is followed until Release.
  virtual Outcome StartProgram(const std::string& program, const std::string& folder,
                               int show_state, ProcessId& process) = 0;

  // A program often hides or destroys its window first, then saves its files
  // and lets go of the serial port: its end is its process's, not its
  // window's. A followed process keeps its id (no other program is given it)
  // until Release.
  // Follows a process this program did not start; false when it can't be
  // followed (it runs with other rights, or is gone).
  virtual bool Follow(ProcessId process) = 0;
  // True once a followed process has ended; one not followed counts as ended.
  virtual bool Ended(ProcessId process) const = 0;
  virtual void Release(ProcessId process) = 0;

  // Every top-level window whose whole title is `title`, upper and lower case
  // not told apart, in the desktop's order (topmost first).
  virtual std::vector<WindowHandle> WindowsTitled(const std::string& title) const = 0;

  // Queues a message for the window and returns at once; false when the
  // window is gone.
  virtual bool PostToWindow(WindowHandle window, uint32_t message, uint64_t wparam,
                            int64_t lparam) = 0;

  // The window that receives the keyboard input, 0 when none.
  virtual WindowHandle ForegroundWindow() const = 0;
  // The process that owns the window, 0 when the window is gone.
  virtual ProcessId WindowProcess(WindowHandle window) const = 0;
  // The full path of the process's program file. False when the process
  // can't be asked (access denied) or is gone.
  virtual bool ProgramOf(ProcessId process, std::string& program) const = 0;
  virtual bool IsMinimised(WindowHandle window) const = 0;
  // A dialog box (class #32770) or a window owned by another shown one: a
  // question or an error, never a program's main window, even captioned as
  // one.
  virtual bool IsBox(WindowHandle window) const = 0;
  // Asks the window to minimise itself, without waiting for it.
  virtual void Minimise(WindowHandle window) = 0;
  // The visible top-level windows of `process`, without waiting for it: a
  // program that hangs can't hold us up.
  virtual std::vector<ShownWindow> WindowsShownBy(ProcessId process) const = 0;

  // Types the keys into the foreground window, without waiting for them to
  // be handled. False when the system refused them.
  virtual bool SendKeys(std::span<const KeyEvent> keys) = 0;
};

}  // namespace orvando

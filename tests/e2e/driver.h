#pragma once
// Drives Orvando.exe from the outside, as a user would: its windows and
// controls are found by class and text, buttons are clicked with BM_CLICK,
// message boxes are read and answered by their buttons. Nothing here knows
// the program's own control ids or headers.
//
// Every wait polls with a deadline; nothing sleeps a fixed time where a
// condition can be watched.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace orvando::test {

// Polls `ready` every `step_ms` until it holds or `ms` have passed.
bool WaitFor(const std::function<bool()>& ready, int ms = 10000, int step_ms = 20);

// A Unix path of the build, as Wine sees it: "Z:" and backslashes.
std::wstring WinePath(const std::string& unix_path);
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& text);
// `text` in the system's ANSI code page, one byte a character.
std::string Ansi(const std::wstring& text);

// Text of any window, controls of other processes included (WM_GETTEXT).
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
DWORD ProcessOf(HWND window);

// Top-level windows of process `pid` (0: of any process).
std::vector<HWND> TopWindows(DWORD pid);
// The first visible top-level window of `pid` whose title is `title` and
// whose class is `cls` (empty: any class).
HWND FindTopWindow(DWORD pid, const std::wstring& title, const std::wstring& cls = L"");
// Child windows (at any depth) of class `cls`, compared without case; with
// `text`, only those whose text equals it, '&' markers ignored.
std::vector<HWND> Children(HWND parent, const std::wstring& cls);
HWND FindChild(HWND parent, const std::wstring& cls, const std::wstring& text);

// Orvando's main window: titled "Orvando", holding the Start/Stop button.
HWND FindMainWindow(DWORD pid, bool visible_only = true);
// The main window's controls, found by what they show.
HWND StartStopButton(HWND main);
HWND ClockLabel(HWND main);      // the static whose text is a time of day
HWND IndicatorLabel(HWND main);  // the static without text beside Start/Stop
HWND OptionButton(HWND main, const std::wstring& caption);
bool IsChecked(HWND button);
// Seconds since midnight shown by a "hh:mm:ss" clock text; -1 when none.
int ClockSeconds(const std::wstring& text);

// Clicks a button without waiting for its handler, which may open a modal
// box of its own.
void Click(HWND button);
// Where an item sits in the menu bar: the menu's and the item's positions.
struct MenuPlace {
  int menu;
  int item;
};
// Chooses the menu-bar item whose text is `item`: WM_COMMAND with its id, as
// a click on it arrives. Wine does not let another process read a window's
// menu; there the item at `place` is chosen with the keyboard, as a user
// does (F10, arrows, Enter). False when the item is not there or greyed, or
// the menu did not open and close.
bool ChooseMenuItem(HWND main, const std::wstring& item, MenuPlace place);

// A visible message box of `pid` (a #32770 dialog under the program's title,
// "Orvando"), or null.
HWND FindMessageBox(DWORD pid);
HWND WaitForMessageBox(DWORD pid, int ms = 10000);
// A visible notice of `pid`: a window of its own under the program's title,
// not a message box, with an OK button; or null.
HWND FindNotice(DWORD pid);
// The box's message: its longest static text.
std::wstring MessageText(HWND box);
// Clicks the box's button named one of `names` ("Oui", "Yes"); false when
// it has none of them.
bool Answer(HWND box, const std::vector<std::wstring>& names);
bool AnswerYes(HWND box);
bool AnswerNo(HWND box);
bool AnswerOk(HWND box);

// The colour a control shows at its centre, read from the screen.
COLORREF CentrePixel(HWND control);

// A program started by the driver, ended by force if still running when
// the object goes.
class Process {
 public:
  Process() = default;
  ~Process() { Terminate(); }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Starts `exe` in `folder`, as Explorer does when the user opens it.
  bool Start(const std::wstring& exe, const std::wstring& folder,
             const std::wstring& arguments = L"");
  // Takes over an already running process (started by someone else).
  bool Attach(DWORD pid);
  DWORD pid() const { return pid_; }
  bool Running() const;
  // Waits until it ends; false on timeout. `code` receives its exit code.
  bool WaitForExit(int ms, DWORD* code = nullptr);
  void Terminate();

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// Ends every process named by a "start <pid>" line of the stand-in's log.
void TerminateStations(const std::vector<std::string>& log_lines);

// Lines of a text file, without their CR LF.
std::vector<std::string> ReadLines(const std::wstring& path);
std::string ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);

}  // namespace orvando::test

#pragma once
// What the benchmark driver does to the programs it measures: start them,
// find their windows and controls by class and text as a user's tools would,
// and read their CPU time and memory from the outside.

#include <windows.h>

#include <cstdint>
#include <string>

namespace orvando::bench {

// Milliseconds on a steady clock, for durations.
double NowMs();

// Milliseconds into the current hour of the local clock, to the millisecond
// or better.
int64_t TrueMsOfHour();

// The local minute and second now.
void LocalMinuteSecond(int& minute, int& second);

class Measured {
 public:
  Measured() = default;
  Measured(const Measured&) = delete;
  Measured& operator=(const Measured&) = delete;
  ~Measured() { End(); }

  // Starts `exe` in its own folder; `started_ms` is taken just before.
  bool Start(const std::wstring& exe);
  // The program's visible top-level window titled `caption`, waited for up
  // to `timeout_ms`; null when it did not show.
  HWND WaitForWindow(const wchar_t* caption, double timeout_ms);
  // CPU time, user and kernel, of all the program's threads alive now. Wine
  // reports no times for another process, so this reads the Linux process's
  // per-thread run time (nanoseconds) through the Z: drive; the process is
  // the one whose command line is our full path to `exe`.
  double CpuMs();
  double PeakWorkingSetKb() const;
  bool Running() const;
  // Ends the program, if still running, and waits for it to be gone.
  void End();

  double started_ms() const { return started_ms_; }
  DWORD pid() const { return pid_; }

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  std::wstring exe_;
  std::wstring linux_proc_;  // "Z:\\proc\\<pid>", once found
  double started_ms_ = 0;
};

// The Linux process whose first argument is `exe` ("Z:\\proc\\<pid>"), or
// empty: Wine puts the command line it was given there, so a program that
// was started by its full Windows path is found by that path. ("Z:\\proc\\self"
// would not do: Wine's server, not the program, opens the files.)
std::wstring LinuxProcessDir(const std::wstring& exe);

// CPU time, user and kernel, that the threads of a Linux process alive now
// have used, from their run time in `proc_dir`: to the microsecond, where
// the times Wine reports are counted in 10 ms steps. -1 when unreadable.
double LinuxCpuMs(const std::wstring& proc_dir);

// A child control of `parent` by class (case ignored) and exact text; any
// text when `text` is null.
HWND FindChild(HWND parent, const wchar_t* cls, const wchar_t* text);

// The static control of `parent` that shows a clock ("10:15:07").
HWND FindClockLabel(HWND parent);

// A window's text, read without sending it a message: for another
// process's window the system keeps the text itself, so reading it does not
// wake the program being measured.
std::wstring TextOf(HWND window);
std::string Utf8(const std::wstring& text);

// Presses a button as a click would, and waits up to 2 s for `after` as its
// caption.
bool ClickButton(HWND button, const wchar_t* after);

// Ends every process that owns a window titled "heavy weather".
void EndStations();

}  // namespace orvando::bench

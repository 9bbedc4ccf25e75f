// How long a close takes against the stand-in station, how many WM_CLOSE it
// receives, and how much CPU this side uses while it waits: once with a
// station that closes, once with one that ignores WM_CLOSE until the bound.
// Each close is done by OuvrFermHW (asking again on its alarm, from the
// message loop) and, for comparison, by the plainest loop that does the same
// job. One "RESULT <figure> <closer> <value>" line per
// figure on stdout, for bench/run; the same in words on stderr.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "probe_win32.h"
#include "platform/win32/alarm_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/folders_win32.h"
#include "platform/win32/station_win32.h"
#include "platform/win32/text_win32.h"
#include "station/ouvr_ferm_hw.h"
#include "station_extras.h"

using namespace orvando;

namespace {

class PrintedMessages : public UserMessages {
 public:
  void ShowErrorBox(const std::string& text) override {
    std::printf("  message: %s\n", text.c_str());
  }
  void ShowInformation(const std::string& text) override { ShowErrorBox(text); }
  void ShowNoticeWindow(const std::string& text) override { ShowErrorBox(text); }
  bool NoticeShown() const override { return false; }
  bool AskYesNo(const std::string&) override { return true; }
};

std::wstring LogPath() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"orvando-close-bench.log";
}

int CountLines(const char* prefix) {
  std::ifstream in(win32::Narrow(LogPath()));
  int n = 0;
  for (std::string line; std::getline(in, line);) n += line.rfind(prefix, 0) == 0;
  return n;
}

// This program's CPU time to the microsecond when it was started by its full
// Windows path (as bench/run does), else in the 10 ms steps Wine counts.
double CpuMs() {
  static const std::wstring self = [] {
    wchar_t exe[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    return bench::LinuxProcessDir(std::wstring(exe, n));
  }();
  if (!self.empty()) return bench::LinuxCpuMs(self);
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ticks = [](FILETIME t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return (ticks(kernel) + ticks(user)) / 10000.0;
}

// The plainest close: post WM_CLOSE to the window once per pass and sleep
// between passes, until none is left or the bound has passed. No events run
// while it waits, so it only works from a program with no window of its own.
void PlainClose(const StationTimings& timings) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timings.close_bound_ms);
  while (GetTickCount64() < deadline) {
    HWND window = FindWindowW(nullptr, L"heavy weather");
    if (!window) return;
    PostMessageW(window, WM_CLOSE, 0, 0);
    Sleep(static_cast<DWORD>(timings.pace_ms));
  }
}

// Runs this thread's messages, as the program's loop does, until `done`
// holds or `ms` have passed.
template <typename Done>
void RunMessagesUntil(Done done, int ms) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(ms);
  for (ULONGLONG now = GetTickCount64(); !done() && now < deadline; now = GetTickCount64()) {
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
  }
}

void Result(const std::string& figure, const char* closer, double value) {
  std::printf("RESULT %s %s %.1f\n", figure.c_str(), closer, value);
  std::fflush(stdout);
}

// One close of a station started in `mode`; `figure` names its results, or
// is null for a warm-up run that reports nothing.
void Run(const char* mode, const char* figure, bool plain, int bound_s, const std::string& folder) {
  DeleteFileW(LogPath().c_str());
  SetEnvironmentVariableW(L"ORVANDO_STATION_MODE", win32::Widen(mode).c_str());
  win32::Win32Folders folders;
  win32::Win32Station station;
  win32::Win32Alarm alarm;
  win32::Win32Clock clock;
  PrintedMessages messages;
  StationTimings timings;
  timings.close_bound_ms = bound_s * 1000;
  test::StationExtras extras(clock, messages);
  OuvrFermHW hw(extras.Links(folder, folders, station, alarm, clock, timings));
  hw.OuvrirHW();
  RunMessagesUntil(
      [&] { return CountLines("window") > 0 && hw.Waiting() == OuvrFermHW::Wait::None; }, 10000);

  const ULONGLONG start = GetTickCount64();
  const double cpu_start = CpuMs();
  if (plain) {
    PlainClose(timings);
  } else {
    hw.FermerHW();
    RunMessagesUntil([&] { return hw.Waiting() == OuvrFermHW::Wait::None; },
                     timings.close_bound_ms + 5000);
  }
  const double cpu = CpuMs() - cpu_start;
  const ULONGLONG took = GetTickCount64() - start;
  RunMessagesUntil([] { return false; }, 500);
  const char* closer = plain ? "reference" : "orvando";
  const int closes = CountLines("close");
  std::fprintf(stderr, "%-9s %-13s close took %6llu ms, %4d WM_CLOSE received, %6.1f ms CPU\n",
               closer, mode, took, closes, cpu);
  if (figure) {
    const std::string name = std::string("close_") + figure;
    Result(name + "_ms", closer, static_cast<double>(took));
    Result(name + "_cpu_ms", closer, cpu);
    Result(name + "_wm_close", closer, closes);
  }
  // A station that ignored the close is ended here, so none is left behind.
  for (WindowHandle w : station.WindowsTitled("heavy weather")) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, station.WindowProcess(w));
    if (!process) continue;
    TerminateProcess(process, 9);
    CloseHandle(process);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int bound_s = argc > 1 ? std::atoi(argv[1]) : 60;
  std::string folder = "Z:" + std::string(ORVANDO_STATION_EXE);
  for (char& c : folder) c = c == '/' ? '\\' : c;
  folder = folder.substr(0, folder.rfind('\\'));
  SetEnvironmentVariableW(L"ORVANDO_STATION_LOG", LogPath().c_str());
  // The first close of a run also pays for loading what it uses: not counted.
  Run("normal", nullptr, false, bound_s, folder);
  for (bool plain : {false, true}) {
    Run("normal", "normal", plain, bound_s, folder);
    Run("ignore-close", "bound", plain, bound_s, folder);
  }
  return 0;
}

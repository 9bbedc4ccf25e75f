// How long a close takes against the stand-in station, how many WM_CLOSE it
// receives, and how much CPU this side uses while it waits: once with a
// station that closes, once with one that ignores WM_CLOSE until the bound.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/win32/clock_win32.h"
#include "platform/win32/event_pump_win32.h"
#include "platform/win32/folders_win32.h"
#include "platform/win32/station_win32.h"
#include "platform/win32/text_win32.h"
#include "station/ouvr_ferm_hw.h"

using namespace orvando;

namespace {

class PrintedMessages : public UserMessages {
 public:
  void ShowError(const std::string& text) override { std::printf("  message: %s\n", text.c_str()); }
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

double CpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ticks = [](FILETIME t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return (ticks(kernel) + ticks(user)) / 10000.0;
}

void Run(const char* mode, int bound_s, const std::string& folder) {
  DeleteFileW(LogPath().c_str());
  SetEnvironmentVariableW(L"ORVANDO_STATION_MODE", win32::Widen(mode).c_str());
  win32::Win32Folders folders;
  win32::Win32Station station;
  win32::Win32EventPump pump;
  win32::Win32Clock clock;
  PrintedMessages messages;
  StationTimings timings;
  timings.close_bound_ms = bound_s * 1000;
  OuvrFermHW hw(folder, folders, station, pump, clock, messages, timings);
  hw.OuvrirHW();
  for (int i = 0; i < 200 && CountLines("window") == 0; ++i) pump.WaitWithEvents(50);

  const ULONGLONG start = GetTickCount64();
  const double cpu_start = CpuMs();
  hw.FermerHW();
  const double cpu = CpuMs() - cpu_start;
  const ULONGLONG took = GetTickCount64() - start;
  pump.WaitWithEvents(500);
  std::printf("%-13s close took %6llu ms, %4d WM_CLOSE received, %6.1f ms CPU on our side\n", mode,
              took, CountLines("close"), cpu);
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
  Run("normal", bound_s, folder);
  Run("ignore-close", bound_s, folder);
  return 0;
}

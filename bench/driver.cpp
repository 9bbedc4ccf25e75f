// Measures Orvando.exe and the reference program from the outside and
// prints one "RESULT <figure> <program> <value>" line per figure, for
// bench/run to put in its table. Progress goes to stderr.
//
//   bench_driver startup <orvando.exe> <reference.exe> <runs>
//   bench_driver startup-vs <orvando.exe> <another Orvando.exe> <runs>
//                (this build against another, "before": one at a time, in turns)
//   bench_driver load    <orvando.exe> <reference.exe> idle|armed <seconds>
//   bench_driver ticks   <orvando.exe> <reference.exe> <seconds>
//   bench_driver launch  <orvando.exe> <station log>
//
// Orvando must find its settings file (interval "1 h" for load, "15 mn" for
// launch) so that it opens its main window; launch runs under faketime a few
// seconds before a quarter hour.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "probe_win32.h"
#include "tick_stats.h"

using namespace orvando::bench;

namespace {

struct Target {
  const char* name;
  std::wstring exe;
  const wchar_t* caption;
};

constexpr double kShowTimeoutMs = 30000;

void Result(const char* figure, const char* program, double value) {
  std::printf("RESULT %s %s %.1f\n", figure, program, value);
  std::fflush(stdout);
}

std::wstring Arg(char* text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring out(n > 0 ? n - 1 : 0, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), n);
  return out;
}

// Start to window shown, one program after the other so they don't compete;
// the first run of each only warms the file cache and is not counted.
int Startup(const std::vector<Target>& targets, int runs) {
  std::vector<std::vector<double>> times(targets.size());
  for (int run = 0; run <= runs; ++run) {
    for (size_t t = 0; t < targets.size(); ++t) {
      Measured program;
      if (!program.Start(targets[t].exe)) return 2;
      if (!program.WaitForWindow(targets[t].caption, kShowTimeoutMs)) {
        std::fprintf(stderr, "%s: no window shown\n", targets[t].name);
        return 3;
      }
      if (run > 0) times[t].push_back(NowMs() - program.started_ms());
      program.End();
      Sleep(300);
    }
  }
  for (size_t t = 0; t < targets.size(); ++t) {
    Result("startup_ms", targets[t].name, Median(times[t]));
  }
  return 0;
}

// The launch rules of "1 h" match in minute 0: keep an armed minute clear of
// it, so that the figure is the armed program's own cost, not a launch's.
void AvoidTheHour(int seconds) {
  for (;;) {
    int minute = 0, second = 0;
    LocalMinuteSecond(minute, second);
    const int to_hour = (59 - minute) * 60 + (60 - second);
    if (minute != 0 && to_hour > seconds + 20) return;
    std::fprintf(stderr, "waiting for the hour to pass\n");
    Sleep(5000);
  }
}

// CPU time and peak memory over `seconds`, both programs at once: CPU time is
// counted per process, so they don't disturb each other's figure.
int Load(const std::vector<Target>& targets, bool armed, int seconds) {
  if (armed) AvoidTheHour(seconds);
  std::vector<Measured> programs(targets.size());
  for (size_t t = 0; t < targets.size(); ++t) {
    if (!programs[t].Start(targets[t].exe)) return 2;
    HWND window = programs[t].WaitForWindow(targets[t].caption, kShowTimeoutMs);
    if (!window) return 3;
    if (armed && !ClickButton(FindChild(window, L"Button", L"Start"), L"Stop")) {
      std::fprintf(stderr, "%s: Start did not arm it\n", targets[t].name);
      return 4;
    }
  }
  std::vector<double> before(targets.size());
  for (size_t t = 0; t < targets.size(); ++t) before[t] = programs[t].CpuMs();
  Sleep(static_cast<DWORD>(seconds) * 1000);
  const std::string mode = armed ? "armed" : "idle";
  for (size_t t = 0; t < targets.size(); ++t) {
    if (!programs[t].Running()) return 5;
    Result((mode + "_cpu_ms").c_str(), targets[t].name, programs[t].CpuMs() - before[t]);
    Result((mode + "_peak_kb").c_str(), targets[t].name, programs[t].PeakWorkingSetKb());
  }
  return 0;
}

// Samples both clock labels every millisecond or so for `seconds`.
int Ticks(const std::vector<Target>& targets, int seconds) {
  std::vector<Measured> programs(targets.size());
  std::vector<HWND> labels(targets.size());
  std::vector<std::wstring> texts(targets.size());
  std::vector<TickStats> stats(targets.size());
  for (size_t t = 0; t < targets.size(); ++t) {
    if (!programs[t].Start(targets[t].exe)) return 2;
    HWND window = programs[t].WaitForWindow(targets[t].caption, kShowTimeoutMs);
    labels[t] = window ? FindClockLabel(window) : nullptr;
    if (!labels[t]) {
      std::fprintf(stderr, "%s: no clock label\n", targets[t].name);
      return 3;
    }
  }
  Sleep(2500);  // past the first, unaligned, tick of either
  const double end = NowMs() + seconds * 1000.0;
  double last_sample = NowMs(), widest_gap = 0;
  while (NowMs() < end) {
    for (size_t t = 0; t < targets.size(); ++t) {
      std::wstring text = TextOf(labels[t]);
      if (text == texts[t]) continue;
      const int64_t now = TrueMsOfHour();
      texts[t] = std::move(text);
      stats[t].Add(ShownSecondOfHour(Utf8(texts[t])), now);
    }
    Sleep(1);
    const double now = NowMs();
    if (now - last_sample > widest_gap) widest_gap = now - last_sample;
    last_sample = now;
  }
  for (size_t t = 0; t < targets.size(); ++t) {
    Result("tick_changes", targets[t].name, stats[t].changes());
    Result("tick_lag_max_ms", targets[t].name, static_cast<double>(stats[t].max_lag_ms()));
    Result("tick_lag_mean_ms", targets[t].name, stats[t].mean_lag_ms());
    Result("tick_skipped", targets[t].name, stats[t].skipped());
    Result("tick_repeated", targets[t].name, stats[t].repeated());
  }
  Result("tick_sampling_gap_max_ms", "driver", widest_gap);
  return 0;
}

bool HasStartLine(const std::wstring& log) {
  HANDLE file =
      CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char bytes[6] = {};
  DWORD read = 0;
  ReadFile(file, bytes, 6, &read, nullptr);
  CloseHandle(file);
  return read == 6 && std::string(bytes, 6) == "start ";
}

// Armed before a quarter hour: how many ms after the boundary the clock
// shows its second, the station program starts (its log's first line) and
// its window exists.
int Launch(const Target& orvando, const std::wstring& log) {
  DeleteFileW(log.c_str());
  SetEnvironmentVariableW(L"ORVANDO_STATION_LOG", log.c_str());
  EndStations();
  Measured program;
  if (!program.Start(orvando.exe)) return 2;
  HWND window = program.WaitForWindow(orvando.caption, kShowTimeoutMs);
  HWND clock = window ? FindClockLabel(window) : nullptr;
  if (!clock || !ClickButton(FindChild(window, L"Button", L"Start"), L"Stop")) return 3;
  const int64_t armed_at = TrueMsOfHour();
  const int64_t quarter = 15 * 60 * 1000;
  const int64_t boundary = (armed_at / quarter + 1) * quarter;
  const int boundary_second = static_cast<int>((boundary / 1000) % kSecondsPerHour);
  std::fprintf(stderr, "armed %.1f s before the boundary\n", (boundary - armed_at) / 1000.0);
  double shown = -1, started = -1, window_seen = -1;
  const auto since_boundary = [&] {
    return static_cast<double>((TrueMsOfHour() - boundary + kMsPerHour) % kMsPerHour);
  };
  const double deadline = NowMs() + (boundary - armed_at) + 20000;
  while (NowMs() < deadline && (shown < 0 || started < 0 || window_seen < 0)) {
    if (shown < 0 && ShownSecondOfHour(Utf8(TextOf(clock))) == boundary_second) {
      shown = since_boundary();
    }
    if (started < 0 && HasStartLine(log)) started = since_boundary();
    if (window_seen < 0 && FindWindowW(nullptr, L"heavy weather")) window_seen = since_boundary();
    Sleep(1);
  }
  program.End();
  EndStations();
  Result("launch_clock_ms", orvando.name, shown);
  Result("launch_station_start_ms", orvando.name, started);
  Result("launch_station_window_ms", orvando.name, window_seen);
  return shown >= 0 && started >= 0 ? 0 : 6;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench_driver startup|load|ticks|launch ...\n");
    return 1;
  }
  const std::string command = argv[1];
  const Target orvando{"orvando", Arg(argv[2]), L"Orvando"};
  if (command == "launch") return Launch(orvando, Arg(argv[3]));
  if (command == "startup-vs" && argc > 4) {
    return Startup({orvando, {"before", Arg(argv[3]), L"Orvando"}}, std::atoi(argv[4]));
  }
  const std::vector<Target> targets = {orvando, {"reference", Arg(argv[3]), L"Reference"}};
  if (command == "startup" && argc > 4) return Startup(targets, std::atoi(argv[4]));
  if (command == "load" && argc > 5) {
    return Load(targets, std::string(argv[4]) == "armed", std::atoi(argv[5]));
  }
  if (command == "ticks" && argc > 4) return Ticks(targets, std::atoi(argv[4]));
  std::fprintf(stderr, "bench_driver: bad arguments\n");
  return 1;
}

#include "probe_win32.h"

#include <psapi.h>

#include <cstdlib>

#include "tick_stats.h"

namespace orvando::bench {

namespace {

ULONGLONG Ticks(FILETIME t) {
  return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

struct WindowSearch {
  DWORD pid;
  const wchar_t* caption;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || !IsWindowVisible(window)) return TRUE;
  if (TextOf(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

struct ChildSearch {
  const wchar_t* cls;
  const wchar_t* text;
  bool clock;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  if (lstrcmpiW(cls, search->cls) != 0) return TRUE;
  const std::wstring text = TextOf(window);
  if (search->text && text != search->text) return TRUE;
  if (search->clock && ShownSecondOfHour(Utf8(text)) < 0) return TRUE;
  search->found = window;
  return FALSE;
}

// A whole small file; Linux's /proc files report no size, so read to the end.
std::string ReadSmallFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

}  // namespace

std::wstring LinuxProcessDir(const std::wstring& exe) {
  // Kernel threads have an empty command line: never match those.
  if (exe.empty()) return {};
  const std::string wanted = Utf8(exe);
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return {};
  std::wstring found;
  do {
    if (entry.cFileName[0] < L'0' || entry.cFileName[0] > L'9') continue;
    const std::wstring dir = std::wstring(L"Z:\\proc\\") + entry.cFileName;
    const std::string command = ReadSmallFile(dir + L"\\cmdline");
    const std::string first = command.substr(0, command.find('\0'));
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, first.c_str(), -1, wanted.c_str(), -1) ==
        CSTR_EQUAL) {
      found = dir;
      break;
    }
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return found;
}

double NowMs() {
  static const double per_ms = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / per_ms;
}

int64_t TrueMsOfHour() {
  FILETIME utc, local;
  GetSystemTimePreciseAsFileTime(&utc);
  FileTimeToLocalFileTime(&utc, &local);
  return static_cast<int64_t>((Ticks(local) / 10000) % kMsPerHour);
}

void LocalMinuteSecond(int& minute, int& second) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  minute = now.wMinute;
  second = now.wSecond;
}

bool Measured::Start(const std::wstring& exe) {
  End();
  const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  started_ms_ = NowMs();
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  exe_ = exe;
  process_ = info.hProcess;
  pid_ = info.dwProcessId;
  return true;
}

HWND Measured::WaitForWindow(const wchar_t* caption, double timeout_ms) {
  const double deadline = started_ms_ + timeout_ms;
  while (NowMs() < deadline && Running()) {
    WindowSearch search{pid_, caption, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(1);
  }
  return nullptr;
}

double Measured::CpuMs() {
  if (!process_) return -1;
  if (linux_proc_.empty()) linux_proc_ = LinuxProcessDir(exe_);
  return linux_proc_.empty() ? -1 : LinuxCpuMs(linux_proc_);
}

double LinuxCpuMs(const std::wstring& proc_dir) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((proc_dir + L"\\task\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return -1;
  double ns = 0;
  do {
    if (entry.cFileName[0] < L'0' || entry.cFileName[0] > L'9') continue;
    // The first number is the time the thread has run, in nanoseconds.
    const std::string stat =
        ReadSmallFile(proc_dir + L"\\task\\" + entry.cFileName + L"\\schedstat");
    ns += std::strtod(stat.c_str(), nullptr);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return ns / 1e6;
}

double Measured::PeakWorkingSetKb() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!process_ || !GetProcessMemoryInfo(process_, &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
}

bool Measured::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void Measured::End() {
  if (!process_) return;
  if (Running()) TerminateProcess(process_, 9);
  WaitForSingleObject(process_, 10000);
  CloseHandle(process_);
  process_ = nullptr;
  pid_ = 0;
  linux_proc_.clear();
}

HWND FindChild(HWND parent, const wchar_t* cls, const wchar_t* text) {
  ChildSearch search{cls, text, false, nullptr};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindClockLabel(HWND parent) {
  ChildSearch search{L"Static", nullptr, true, nullptr};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TextOf(HWND window) {
  wchar_t text[256];
  const int n = GetWindowTextW(window, text, 256);
  return std::wstring(text, n > 0 ? n : 0);
}

std::string Utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

bool ClickButton(HWND button, const wchar_t* after) {
  if (!button) return false;
  // Posted, as a click is: the program handles it in its own time.
  PostMessageW(button, BM_CLICK, 0, 0);
  const double deadline = NowMs() + 2000;
  while (NowMs() < deadline) {
    if (TextOf(button) == after) return true;
    Sleep(1);
  }
  return false;
}

void EndStations() {
  for (int i = 0; i < 20; ++i) {
    HWND window = FindWindowW(nullptr, L"heavy weather");
    if (!window) return;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) return;
    TerminateProcess(process, 9);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
}

}  // namespace orvando::bench

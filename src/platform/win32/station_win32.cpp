#include "platform/win32/station_win32.h"

#include <windows.h>

#include "platform/win32/keyboard_win32.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {
namespace {

HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(window));
}
WindowHandle FromHwnd(HWND window) {
  return reinterpret_cast<UINT_PTR>(window);
}

struct TitleSearch {
  std::wstring title;
  std::vector<WindowHandle> found;
};

BOOL CALLBACK CollectTitled(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<TitleSearch*>(param);
  // One character more than the title: a longer one shows as a mismatch.
  std::wstring text(search.title.size() + 2, L'\0');
  const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  if (length == static_cast<int>(search.title.size()) &&
      CompareStringOrdinal(text.c_str(), length, search.title.c_str(), length, TRUE) ==
          CSTR_EQUAL) {
    search.found.push_back(FromHwnd(window));
  }
  return TRUE;
}

// A dialog, or a window its program's visible window owns. Many programs
// (Visual Basic's, Delphi's) give every window, the main one too, an owner
// that is never shown: that one does not make a box.
bool IsBoxWindow(HWND window) {
  wchar_t cls[16];
  HWND owner = GetWindow(window, GW_OWNER);
  return (owner && IsWindowVisible(owner)) ||
         (GetClassNameW(window, cls, 16) && lstrcmpW(cls, L"#32770") == 0);
}

struct ShownSearch {
  DWORD process;
  std::vector<ShownWindow> found;
};

std::string TextOf(HWND window) {
  wchar_t text[512];
  // For another process's window, the text Windows keeps itself: no message
  // is sent, so a program that hangs can't hold us up.
  const int n = GetWindowTextW(window, text, 512);
  return Narrow(text, n);
}

BOOL CALLBACK CollectStatic(HWND control, LPARAM param) {
  auto& text = *reinterpret_cast<std::string*>(param);
  wchar_t cls[16];
  if (GetClassNameW(control, cls, 16) && lstrcmpiW(cls, L"Static") == 0 &&
      IsWindowVisible(control)) {
    const std::string line = TextOf(control);
    if (!line.empty()) text += (text.empty() ? "" : "\n") + line;
  }
  return text.size() < 2048;
}

BOOL CALLBACK CollectShown(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<ShownSearch*>(param);
  DWORD process = 0;
  if (GetWindowThreadProcessId(window, &process) && process == search.process &&
      IsWindowVisible(window)) {
    ShownWindow shown{TextOf(window), {}, IsBoxWindow(window)};
    EnumChildWindows(window, CollectStatic, reinterpret_cast<LPARAM>(&shown.text));
    search.found.push_back(std::move(shown));
  }
  return search.found.size() < 16;
}

}  // namespace

// By full path and without a search: CreateProcessW with the program as its
// application name never looks in our own folder or on PATH.
Outcome Win32Station::StartProgram(const std::string& program, const std::string& folder,
                                   int show_state, ProcessId& process) {
  const std::wstring application = Widen(program);
  std::wstring command_line = L"\"" + application + L"\"";
  const std::wstring directory = Widen(folder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show_state);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(application.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.c_str(), &startup, &info)) {
    const DWORD error = GetLastError();
    return Outcome::Fail("Impossible de lancer \xC2\xAB " + program +
                         " \xC2\xBB : " + ErrorText(error) + ".");
  }
  UniqueHandle owned_thread(info.hThread);
  process = info.dwProcessId;
  Release(process);
  followed_.emplace_back(process, UniqueHandle(info.hProcess));
  return Outcome::Ok();
}

const UniqueHandle* Win32Station::Held(ProcessId process) const {
  for (const auto& [id, handle] : followed_) {
    if (id == process) return &handle;
  }
  return nullptr;
}

// SYNCHRONIZE alone is granted for most processes of the same user; another
// user's, or an elevated one, may refuse it.
bool Win32Station::Follow(ProcessId process) {
  if (Held(process)) return true;
  UniqueHandle handle(OpenProcess(SYNCHRONIZE, FALSE, process));
  if (!handle || WaitForSingleObject(handle.get(), 0) != WAIT_TIMEOUT) return false;
  followed_.emplace_back(process, std::move(handle));
  return true;
}

bool Win32Station::Ended(ProcessId process) const {
  const UniqueHandle* handle = Held(process);
  return !handle || WaitForSingleObject(handle->get(), 0) != WAIT_TIMEOUT;
}

void Win32Station::Release(ProcessId process) {
  std::erase_if(followed_, [process](const auto& held) { return held.first == process; });
}

std::vector<WindowHandle> Win32Station::WindowsTitled(const std::string& title) const {
  TitleSearch search{Widen(title), {}};
  EnumWindows(CollectTitled, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Win32Station::PostToWindow(WindowHandle window, uint32_t message, uint64_t wparam,
                                int64_t lparam) {
  return PostMessageW(ToHwnd(window), message, static_cast<WPARAM>(wparam),
                      static_cast<LPARAM>(lparam)) != FALSE;
}

WindowHandle Win32Station::ForegroundWindow() const {
  return FromHwnd(GetForegroundWindow());
}

ProcessId Win32Station::WindowProcess(WindowHandle window) const {
  DWORD process = 0;
  if (GetWindowThreadProcessId(ToHwnd(window), &process) == 0) return 0;
  return process;
}

// A limited query: it is granted for other users' processes and for most
// elevated ones, where the full query is refused.
bool Win32Station::ProgramOf(ProcessId process, std::string& program) const {
  UniqueHandle handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
  if (!handle) return false;
  std::wstring path(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = static_cast<DWORD>(path.size());
    if (QueryFullProcessImageNameW(handle.get(), 0, path.data(), &size)) {
      program = Narrow(path.data(), static_cast<int>(size));
      return true;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
    path.resize(path.size() * 4);
  }
  return false;
}

bool Win32Station::IsMinimised(WindowHandle window) const {
  return IsIconic(ToHwnd(window)) != FALSE;
}

bool Win32Station::IsBox(WindowHandle window) const {
  return IsBoxWindow(ToHwnd(window));
}

// Posted, as the window menu would send it: a station that does not answer
// cannot hold us up.
void Win32Station::Minimise(WindowHandle window) {
  PostMessageW(ToHwnd(window), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

std::vector<ShownWindow> Win32Station::WindowsShownBy(ProcessId process) const {
  ShownSearch search{process, {}};
  EnumWindows(CollectShown, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Win32Station::SendKeys(std::span<const KeyEvent> keys) {
  return SendKeyInputs(keys);
}

}  // namespace orvando::win32

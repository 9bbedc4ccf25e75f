#include "driver.h"

#include <cwctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orvando::test {
namespace {

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

// Button and menu texts mark their access key with '&'.
std::wstring WithoutAccessKeys(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text)
    if (c != L'&') out += c;
  return out;
}

struct EnumState {
  DWORD pid;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  if (state->pid == 0 || ProcessOf(window) == state->pid) state->found->push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& ready, int ms, int step_ms) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(ms);
  for (;;) {
    if (ready()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(static_cast<DWORD>(step_ms));
  }
}

std::wstring Widen(const std::string& utf8) {
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

namespace {
std::string ToCodePage(const std::wstring& text, UINT code_page) {
  const int n = WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}
}  // namespace

std::string Narrow(const std::wstring& text) {
  return ToCodePage(text, CP_UTF8);
}
std::string Ansi(const std::wstring& text) {
  return ToCodePage(text, CP_ACP);
}

std::wstring WinePath(const std::string& unix_path) {
  std::wstring path = L"Z:" + Widen(unix_path);
  for (auto& c : path) c = c == L'/' ? L'\\' : c;
  return path;
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 3000, &length))
    return L"";
  return std::wstring(text, static_cast<size_t>(length));
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int n = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<size_t>(n > 0 ? n : 0));
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

std::vector<HWND> TopWindows(DWORD pid) {
  std::vector<HWND> found;
  EnumState state{pid, &found};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&state));
  return found;
}

HWND FindTopWindow(DWORD pid, const std::wstring& title, const std::wstring& cls) {
  for (HWND window : TopWindows(pid)) {
    if (!IsWindowVisible(window) || TextOf(window) != title) continue;
    if (cls.empty() || Lower(ClassOf(window)) == Lower(cls)) return window;
  }
  return nullptr;
}

std::vector<HWND> Children(HWND parent, const std::wstring& cls) {
  std::vector<HWND> all, found;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
  for (HWND child : all)
    if (Lower(ClassOf(child)) == Lower(cls)) found.push_back(child);
  return found;
}

HWND FindChild(HWND parent, const std::wstring& cls, const std::wstring& text) {
  for (HWND child : Children(parent, cls))
    if (WithoutAccessKeys(TextOf(child)) == text) return child;
  return nullptr;
}

HWND FindMainWindow(DWORD pid, bool visible_only) {
  for (HWND window : TopWindows(pid)) {
    if (visible_only && !IsWindowVisible(window)) continue;
    if (ClassOf(window) == L"#32770" || TextOf(window) != L"Orvando") continue;
    if (StartStopButton(window)) return window;
  }
  return nullptr;
}

HWND StartStopButton(HWND main) {
  if (HWND start = FindChild(main, L"Button", L"Start")) return start;
  return FindChild(main, L"Button", L"Stop");
}

int ClockSeconds(const std::wstring& text) {
  int h = 0, m = 0, s = 0;
  wchar_t rest = 0;
  if (swscanf(text.c_str(), L"%d:%d:%d%lc", &h, &m, &s, &rest) != 3) return -1;
  if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59) return -1;
  return h * 3600 + m * 60 + s;
}

HWND ClockLabel(HWND main) {
  for (HWND label : Children(main, L"Static"))
    if (ClockSeconds(TextOf(label)) >= 0) return label;
  return nullptr;
}

HWND IndicatorLabel(HWND main) {
  // The one text-less static that sits on the Start/Stop button's row.
  HWND button = StartStopButton(main);
  if (!button) return nullptr;
  RECT b;
  GetWindowRect(button, &b);
  for (HWND label : Children(main, L"Static")) {
    RECT r;
    GetWindowRect(label, &r);
    if (TextOf(label).empty() && r.left >= b.right && r.top < b.bottom && r.bottom > b.top)
      return label;
  }
  return nullptr;
}

HWND OptionButton(HWND main, const std::wstring& caption) {
  return FindChild(main, L"Button", caption);
}

bool IsChecked(HWND button) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 3000, &state);
  return state == BST_CHECKED;
}

void Click(HWND button) {
  PostMessageW(button, BM_CLICK, 0, 0);
}

namespace {

// A key pressed and let go, posted to the thread that owns `window`; a menu
// being tracked there reads it from the queue.
void PostKey(HWND window, UINT key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

bool MenuOpen(DWORD pid) {
  for (HWND window : TopWindows(pid))
    if (IsWindowVisible(window) && ClassOf(window) == L"#32768") return true;
  return false;
}

bool ChooseWithKeys(HWND main, MenuPlace place) {
  const DWORD pid = ProcessOf(main);
  PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 0);  // F10: the bar, first menu
  for (int i = 0; i < place.menu; ++i) PostKey(main, VK_RIGHT);
  PostKey(main, VK_DOWN);  // opens the menu on its first item
  if (!WaitFor([&] { return MenuOpen(pid); }, 5000)) return false;
  for (int i = 0; i < place.item; ++i) PostKey(main, VK_DOWN);
  PostKey(main, VK_RETURN);
  return WaitFor([&] { return !MenuOpen(pid); }, 5000);
}

}  // namespace

bool ChooseMenuItem(HWND main, const std::wstring& item, MenuPlace place) {
  HMENU bar = GetMenu(main);
  const int menus = bar ? GetMenuItemCount(bar) : -1;
  if (menus < 0) return ChooseWithKeys(main, place);
  for (int i = 0; i < menus; ++i) {
    HMENU sub = GetSubMenu(bar, i);
    for (int j = 0; sub && j < GetMenuItemCount(sub); ++j) {
      wchar_t text[256] = {};
      GetMenuStringW(sub, static_cast<UINT>(j), text, 256, MF_BYPOSITION);
      if (WithoutAccessKeys(text) != item) continue;
      if (GetMenuState(sub, static_cast<UINT>(j), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED))
        return false;
      const UINT id = GetMenuItemID(sub, j);
      return PostMessageW(main, WM_COMMAND, MAKEWPARAM(id, 0), 0) != 0;
    }
  }
  return false;
}

HWND FindMessageBox(DWORD pid) {
  for (HWND window : TopWindows(pid))
    if (IsWindowVisible(window) && ClassOf(window) == L"#32770" && TextOf(window) == L"Orvando")
      return window;
  return nullptr;
}

HWND WaitForMessageBox(DWORD pid, int ms) {
  HWND box = nullptr;
  WaitFor([&] { return (box = FindMessageBox(pid)) != nullptr; }, ms);
  return box;
}

HWND FindNotice(DWORD pid) {
  for (HWND window : TopWindows(pid)) {
    if (IsWindowVisible(window) && ClassOf(window) != L"#32770" && TextOf(window) == L"Orvando" &&
        FindChild(window, L"Button", L"OK")) {
      return window;
    }
  }
  return nullptr;
}

std::wstring MessageText(HWND box) {
  std::wstring longest;
  for (HWND label : Children(box, L"Static")) {
    std::wstring text = TextOf(label);
    if (text.size() > longest.size()) longest = text;
  }
  return longest;
}

bool Answer(HWND box, const std::vector<std::wstring>& names) {
  for (const auto& name : names) {
    if (HWND button = FindChild(box, L"Button", name)) {
      Click(button);
      return true;
    }
  }
  return false;
}

// French first: the suite runs in a French locale.
bool AnswerYes(HWND box) {
  return Answer(box, {L"Oui", L"Yes"});
}
bool AnswerNo(HWND box) {
  return Answer(box, {L"Non", L"No"});
}
bool AnswerOk(HWND box) {
  return Answer(box, {L"OK"});
}

COLORREF CentrePixel(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ReleaseDC(nullptr, screen);
  return colour;
}

bool Process::Start(const std::wstring& exe, const std::wstring& folder,
                    const std::wstring& arguments) {
  Terminate();
  std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info))
    return false;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  pid_ = info.dwProcessId;
  return true;
}

bool Process::Attach(DWORD pid) {
  Terminate();
  process_ =
      OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  pid_ = process_ ? pid : 0;
  return process_ != nullptr;
}

bool Process::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(int ms, DWORD* code) {
  if (!process_ || WaitForSingleObject(process_, static_cast<DWORD>(ms)) != WAIT_OBJECT_0)
    return false;
  if (code) GetExitCodeProcess(process_, code);
  return true;
}

void Process::Terminate() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 9);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
  process_ = nullptr;
  pid_ = 0;
}

void TerminateStations(const std::vector<std::string>& log_lines) {
  for (const auto& line : log_lines) {
    if (line.rfind("start ", 0) != 0) continue;
    Process station;
    if (station.Attach(static_cast<DWORD>(std::stoul(line.substr(6))))) station.Terminate();
  }
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> ReadLines(const std::wstring& path) {
  std::vector<std::string> lines;
  std::istringstream in(ReadBytes(path));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace orvando::test

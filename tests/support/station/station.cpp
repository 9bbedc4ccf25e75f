// A stand-in for HeavyWeather, built as "heavy weather.exe": a window titled
// "heavy weather" that writes down what happens to it, for the tests and as
// a demo station for scripts/run.
//
// Environment:
//   ORVANDO_STATION_LOG       file the log lines are appended to (none: no log)
//   ORVANDO_STATION_MODE      comma-separated, default "normal":
//       normal         one window, which closes on WM_CLOSE
//       ignore-close   WM_CLOSE is logged and otherwise ignored
//       slow-window    the window is created only after ORVANDO_STATION_DELAY_MS
//       two-windows    two windows titled "heavy weather"; ends when both are gone
//       show-normal    shows its window normally, whatever show state it was given
//       take-focus     brings its window to the front once shown
//       hidden-owner   its window is owned by one that is never shown, as
//                      Visual Basic's and Delphi's programs make theirs
//       write-data     appends a 36-byte record to history.dat in its own
//                      folder every ORVANDO_STATION_DATA_MS, as HeavyWeather
//                      does while it reads the station
//       error-box      shows a box, "Erreur de communication", once shown
//       linger         its process lives on ORVANDO_STATION_LINGER_MS after
//                      its last window has gone, as a program that saves its
//                      files and lets go of its port after hiding its window
//       box-first      asks a question in a box, "Connexion" (or
//                      ORVANDO_STATION_BOX_CAPTION), before its window: the
//                      window comes ORVANDO_STATION_DELAY_MS later, behind
//                      the box, which nobody answers
//       box-on-close   answers the first WM_CLOSE by hiding its window and
//                      asking in a box, "Enregistrement", whether to save;
//                      nobody answers, and it runs on
//   ORVANDO_STATION_DELAY_MS     for slow-window and box-first (default 2000)
//   ORVANDO_STATION_BOX_CAPTION  for box-first (default "Connexion")
//   ORVANDO_STATION_LINGER_MS    for linger (default 8000)
//   ORVANDO_STATION_DATA_MS      for write-data (default 2000)
//   ORVANDO_STATION_LIFETIME_MS  ends on its own after this long (default
//                                300000), so a station that ignores WM_CLOSE
//                                never outlives a test run
//
// Log: UTF-8, one line per event, the event's name first, then its values
// separated by single spaces (a path runs to the end of its line). <n> is the
// window's number, 1 or 2; numbers are decimal.
//   start <pid>
//   exe <full path of this program>
//   folder <working folder at start>
//   show <wShowWindow of STARTUPINFO, or "none" without STARTF_USESHOWWINDOW>
//   window <n> <1 when minimised once shown, else 0>
//   foreground <n>                         the window was activated
//   keydown|keyup|syskeydown|syskeyup <n> <virtual-key code>
//   char|syschar <n> <character code>
//   syscommand <n> <command>               WM_SYSCOMMAND: 61696 SC_KEYMENU,
//                                          61472 SC_MINIMIZE, 61728 SC_RESTORE
//   menu <n> enter|exit                    the window menu's modal loop
//   minimized <n> | restored <n>           WM_SIZE
//   close <n> <wParam> <lParam>            each WM_CLOSE
//   data <bytes>                           history.dat's size once written
//   box                                    the box is shown
//   closebox                               box-on-close: its box is shown
//   boxkey <message> <code>                a key reached the box (WM_KEYDOWN,
//                                          WM_CHAR... as a decimal number)
//   gone                                   linger: the last window is gone
//   exit <code>                            0: windows closed, 3: lifetime over
#include <windows.h>

#include <string>

namespace {

std::wstring Env(const wchar_t* name) {
  wchar_t buffer[1024];
  const DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
  return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

int EnvInt(const wchar_t* name, int fallback) {
  const std::wstring value = Env(name);
  return value.empty() ? fallback : _wtoi(value.c_str());
}

bool HasMode(const wchar_t* mode) {
  const std::wstring modes = L"," + Env(L"ORVANDO_STATION_MODE") + L",";
  return modes.find(L"," + std::wstring(mode) + L",") != std::wstring::npos;
}

std::string Utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

void Log(const std::string& line) {
  static const std::wstring path = Env(L"ORVANDO_STATION_LOG");
  if (path.empty()) return;
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

std::string Num(unsigned long long n) {
  return std::to_string(n);
}

int g_open_windows = 0;
bool g_opened = false;  // a window was opened
HWND g_box = nullptr;
constexpr UINT_PTR kDataTimer = 1;
constexpr UINT kShowErrorBox = WM_APP;

// A record appended to history.dat beside this program, as HeavyWeather
// stores the station's readings.
void WriteData() {
  wchar_t path[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  std::wstring file = path;
  file = file.substr(0, file.find_last_of(L'\\') + 1) + L"history.dat";
  HANDLE data = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (data == INVALID_HANDLE_VALUE) return;
  const char record[36] = {};
  DWORD written = 0;
  WriteFile(data, record, sizeof record, &written, nullptr);
  LARGE_INTEGER size{};
  GetFileSizeEx(data, &size);
  CloseHandle(data);
  Log("data " + Num(static_cast<unsigned long long>(size.QuadPart)));
}

// Window number 1 or 2, kept in the window's user data.
std::string Number(HWND window) {
  return Num(GetWindowLongPtrW(window, GWLP_USERDATA));
}

const char* KeyName(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
      return "keydown";
    case WM_KEYUP:
      return "keyup";
    case WM_SYSKEYDOWN:
      return "syskeydown";
    case WM_SYSKEYUP:
      return "syskeyup";
    case WM_CHAR:
      return "char";
    case WM_SYSCHAR:
      return "syschar";
    default:
      return nullptr;
  }
}

LRESULT CALLBACK StationProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const std::string n = Number(window);
  if (const char* key = KeyName(message)) {
    Log(std::string(key) + " " + n + " " + Num(wparam));
    return DefWindowProcW(window, message, wparam, lparam);
  }
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) Log("foreground " + n);
      break;
    case WM_SYSCOMMAND:
      Log("syscommand " + n + " " + Num(wparam & 0xFFF0));
      break;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
      Log("menu " + n + (message == WM_ENTERMENULOOP ? " enter" : " exit"));
      break;
    case WM_SIZE:
      if (wparam == SIZE_MINIMIZED) Log("minimized " + n);
      if (wparam == SIZE_RESTORED) Log("restored " + n);
      break;
    case WM_CLOSE: {
      Log("close " + n + " " + Num(wparam) + " " + Num(static_cast<unsigned long long>(lparam)));
      if (HasMode(L"ignore-close")) return 0;
      static bool asking = false;
      if (!HasMode(L"box-on-close")) break;
      if (asking) return 0;  // a request that comes while it asks
      asking = true;
      ShowWindow(window, SW_HIDE);
      Log("closebox");
      if (MessageBoxW(nullptr, L"Enregistrer les relevés avant de quitter ?", L"Enregistrement",
                      MB_YESNO | MB_ICONQUESTION) == IDYES) {
        DestroyWindow(window);
      }
      return 0;
    }
    case WM_TIMER:
      if (wparam == kDataTimer) WriteData();
      return 0;
    case kShowErrorBox:
      MessageBoxW(nullptr, L"Pas de réponse de la station sur COM1", L"Erreur de communication",
                  MB_OK | MB_ICONERROR);
      return 0;
    case WM_DESTROY:
      if (--g_open_windows > 0) break;
      if (g_box && IsWindow(g_box)) break;  // still asking: the program goes on
      if (!HasMode(L"linger")) {
        PostQuitMessage(0);
        break;
      }
      Log("gone");
      SetTimer(nullptr, 0, static_cast<UINT>(EnvInt(L"ORVANDO_STATION_LINGER_MS", 8000)),
               [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void OpenWindow(HINSTANCE instance, int number, int show) {
  // A program that ignores the state it was given: created visible at a
  // place of its own, so no ShowWindow ever applies the starter's state.
  const bool normal = HasMode(L"show-normal");
  const int offset = 40 * number;
  HWND owner = HasMode(L"hidden-owner") ? CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 0, 0,
                                                        nullptr, nullptr, instance, nullptr)
                                        : nullptr;
  HWND window = CreateWindowW(L"HeavyWeatherStandIn", L"heavy weather",
                              WS_OVERLAPPEDWINDOW | (normal ? WS_VISIBLE : 0), offset, offset, 320,
                              200, owner, nullptr, instance, nullptr);
  if (!window) return;
  SetWindowLongPtrW(window, GWLP_USERDATA, number);
  ++g_open_windows;
  g_opened = true;
  if (!normal) ShowWindow(window, show);
  if (HasMode(L"take-focus")) SetForegroundWindow(window);
  if (number == 1 && HasMode(L"write-data")) {
    SetTimer(window, kDataTimer, static_cast<UINT>(EnvInt(L"ORVANDO_STATION_DATA_MS", 2000)),
             nullptr);
  }
  if (number == 1 && HasMode(L"error-box")) PostMessageW(window, kShowErrorBox, 0, 0);
  Log("window " + Num(number) + " " + (IsIconic(window) ? "1" : "0"));
}

// Every key this thread takes out of its queue for the box, whatever loop
// takes it (the box runs its own).
LRESULT CALLBACK KeysToTheBox(int code, WPARAM wparam, LPARAM lparam) {
  const MSG& msg = *reinterpret_cast<const MSG*>(lparam);
  if (code == HC_ACTION && wparam == PM_REMOVE && msg.message >= WM_KEYFIRST &&
      msg.message <= WM_KEYLAST && g_box && GetAncestor(msg.hwnd, GA_ROOT) == g_box) {
    Log("boxkey " + Num(msg.message) + " " + Num(msg.wParam));
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

HINSTANCE g_instance = nullptr;
int g_show = SW_SHOWNORMAL;

void OpenWindows() {
  OpenWindow(g_instance, 1, g_show);
  if (HasMode(L"two-windows")) OpenWindow(g_instance, 2, g_show);
}

// The question comes first and stays; the window opens behind it, from the
// box's own loop.
void AskFirst() {
  SetWindowsHookExW(WH_GETMESSAGE, KeysToTheBox, nullptr, GetCurrentThreadId());
  SetTimer(nullptr, 0, static_cast<UINT>(EnvInt(L"ORVANDO_STATION_DELAY_MS", 2000)),
           [](HWND, UINT, UINT_PTR id, DWORD) {
             KillTimer(nullptr, id);
             OpenWindows();
           });
  SetWindowsHookExW(
      WH_CBT,
      [](int code, WPARAM wparam, LPARAM lparam) -> LRESULT {
        if (code == HCBT_ACTIVATE && !g_box) {
          g_box = reinterpret_cast<HWND>(wparam);
          Log("box");
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
      },
      nullptr, GetCurrentThreadId());
  const std::wstring caption = Env(L"ORVANDO_STATION_BOX_CAPTION");
  MessageBoxW(nullptr, L"Rechercher la station sur COM1 ?",
              caption.empty() ? L"Connexion" : caption.c_str(),
              MB_OKCANCEL | MB_ICONQUESTION | MB_SETFOREGROUND);
  // Its windows closed while it asked: nothing is left.
  if (g_opened && g_open_windows == 0) PostQuitMessage(0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  wchar_t exe[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH * 2);
  wchar_t folder[MAX_PATH * 2] = {};
  GetCurrentDirectoryW(MAX_PATH * 2, folder);
  Log("start " + Num(GetCurrentProcessId()));
  Log("exe " + Utf8(exe));
  Log("folder " + Utf8(folder));
  Log("show " +
      ((startup.dwFlags & STARTF_USESHOWWINDOW) ? Num(startup.wShowWindow) : std::string("none")));

  WNDCLASSW wc{};
  wc.lpfnWndProc = StationProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"HeavyWeatherStandIn";
  RegisterClassW(&wc);

  // Whatever loop runs then (a box's own too).
  SetTimer(nullptr, 0, static_cast<UINT>(EnvInt(L"ORVANDO_STATION_LIFETIME_MS", 300000)),
           [](HWND, UINT, UINT_PTR, DWORD) {
             Log("exit 3");
             ExitProcess(3);
           });
  g_instance = instance;
  g_show = show;
  if (HasMode(L"slow-window")) Sleep(static_cast<DWORD>(EnvInt(L"ORVANDO_STATION_DELAY_MS", 2000)));
  if (HasMode(L"box-first")) {
    AskFirst();  // its own loop runs until someone answers, or the lifetime ends it
  } else {
    OpenWindows();
  }

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Log("exit 0");
  return 0;
}

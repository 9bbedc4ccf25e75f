// The yardstick for Orvando's figures: about the least a Win32 program with
// the same shape can do. One window, a clock label fed by a plain 1000 ms
// timer in the system's time format, and a Start/Stop button, so that the
// driver can measure it exactly as it measures Orvando.
#include <windows.h>

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr int kClockId = 10;
constexpr int kButtonId = 11;

void ShowTime(HWND window) {
  wchar_t text[64];
  if (GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, text, 64) > 0) {
    SetWindowTextW(GetDlgItem(window, kClockId), text);
  }
}

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: {
      HINSTANCE instance = GetModuleHandleW(nullptr);
      CreateWindowW(L"STATIC", L"00:00:00", WS_CHILD | WS_VISIBLE | SS_CENTER | WS_BORDER, 8, 60,
                    81, 25, window, reinterpret_cast<HMENU>(kClockId), instance, nullptr);
      CreateWindowW(L"BUTTON", L"Start", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 112, 60, 73, 17,
                    window, reinterpret_cast<HMENU>(kButtonId), instance, nullptr);
      SetTimer(window, kTimerId, 1000, nullptr);
      ShowTime(window);
      return 0;
    }
    case WM_TIMER:
      ShowTime(window);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == kButtonId) {
        HWND button = GetDlgItem(window, kButtonId);
        wchar_t caption[8] = {};
        GetWindowTextW(button, caption, 8);
        SetWindowTextW(button, lstrcmpW(caption, L"Start") == 0 ? L"Stop" : L"Start");
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"OrvandoBenchReference";
  RegisterClassW(&wc);
  HWND window = CreateWindowW(
      wc.lpszClassName, L"Reference", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
      CW_USEDEFAULT, CW_USEDEFAULT, 241, 177, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

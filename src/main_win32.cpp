// Orvando.exe: builds the program's objects and runs the message loop. Every
// object lives here, for the whole run, so that nothing a late handler
// touches is freed before the loop ends.
#include <windows.h>
#include <commctrl.h>

#include "config/i_ofichier.h"
#include "config/orvando_ini.h"
#include "history/history.h"
#include "main_window/form_timer.h"
#include "main_window/form_timer_win32.h"
#include "main_window/start_with_windows.h"
#include "platform/win32/alarm_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/drives_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/folders_win32.h"
#include "platform/win32/http_win32.h"
#include "platform/win32/dyn_calls_win32.h"
#include "platform/win32/messages_win32.h"
#include "platform/win32/power_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/single_instance_win32.h"
#include "platform/win32/startup_entry_win32.h"
#include "platform/win32/station_win32.h"
#include "platform/win32/text_win32.h"
#include "station/ouvr_ferm_hw.h"
#include "windows/about_win32.h"
#include "windows/notice_win32.h"
#include "windows/select_dir_win32.h"
#include "windows/signal_window_win32.h"

using namespace orvando;
using win32::NoticeWindow;

namespace {

// The one loop of the program. The last window gone (WM_QUIT), a close that
// was under way still runs to its end or its bound: its alarm rings here.
int RunMessageLoop(const OuvrFermHW& station) {
  MSG msg;
  bool quit = false;
  int exit_code = 0;
  while (!quit || station.Waiting() == OuvrFermHW::Wait::ForClose) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got < 0) return 1;
    if (got == 0) {
      quit = true;
      exit_code = static_cast<int>(msg.wParam);
      continue;
    }
    // Tab and the arrow keys move between controls, as in a dialog.
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (root && IsDialogMessageW(root, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return exit_code;
}

// Every object of the program, for its whole life. Each takes the others by
// reference and keeps them. A window and its core refer to each other: the
// windows come first, taking their cores by their own type (a reference to an
// object still to be built is only stored); each core, built after them,
// takes its window as the view it implements. Every object an interface is
// taken from is built before whoever takes it.
struct Program {
  // The windows go first at the end, while the cores their last messages may
  // reach still live.
  ~Program() {
    for (win32::Window* window :
         {static_cast<win32::Window*>(&about_window), static_cast<win32::Window*>(&signal_window),
          static_cast<win32::Window*>(&install), static_cast<win32::Window*>(&main_window)}) {
      window->Destroy();
    }
  }

  win32::Win32Files files;
  win32::Win32Clock clock;
  win32::Win32Folders folders;
  win32::Win32Drives drives;
  win32::Win32Station station_platform;
  win32::Win32Alarm alarm;           // the station control's waits
  win32::Win32Alarm settings_alarm;  // a settings file held by another program at start-up
  win32::Win32Alarm signal_alarm;    // the same for Orvando.ini
  win32::Win32SingleInstance instance;
  win32::Win32Shell shell;
  win32::Win32Power power;
  win32::Win32StartupEntry run_key;
  win32::Win32HttpClient http;  // loads WinHTTP at its first request only

  win32::WindowCounter windows;
  NoticeWindow notice;  // not counted: it never keeps the program alive
  win32::FormTimerWin32 main_window{form, &windows};
  win32::SelectDirWindow install{select_dir, &windows};
  win32::AboutWin32 about_window{about, &windows};
  win32::SignalWindowWin32 signal_window{signal_form, &windows};

  win32::Win32Messages messages{notice, main_window};
  StartWithWindows start_with_windows{run_key, messages, files.ProgramFile()};
  SignalWindow signal_form{signal_window, signal, messages};
  FormTimer form{{.view = main_window,
                  .clock = clock,
                  .config = config,
                  .station = station,
                  .messages = messages,
                  .instance = instance,
                  .install = install,
                  .about = about_window,
                  .power = power,
                  .start_with_windows = start_with_windows,
                  .history = history,
                  .shell = shell,
                  .alarm = settings_alarm,
                  .signal = signal,
                  .signal_window = signal_form}};
  I_Ofichier config{files, messages, &form};
  History history{files, clock};
  Notices notices{messages, clock};  // the one notice of the schedule's events
  OuvrFermHW station{{.chemin_hw = config.CheminHW,
                      .folders = folders,
                      .station = station_platform,
                      .alarm = alarm,
                      .clock = clock,
                      .notices = notices,
                      .history = history,
                      .signal = signal}};
  OrvandoIni ini{files};
  SignalDeVie signal{ini, http, clock, signal_alarm, notices, history};
  SelectDir select_dir{install, form, config, folders, files, drives};
  About about{about_window, shell};
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
  // Before anything loads a DLL by name (the common controls load their theme
  // DLL): none may come from the program's folder.
  win32::LimitDllSearchToSystem32();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  Program program;
  // Our own folder stays our current one: started by Windows we stand in the
  // sign-in's folder, and no folder we browse or start a program in is ever
  // held open by us (it could not be renamed or deleted while we run).
  SetCurrentDirectoryW(win32::Widen(program.files.ProgramFolder()).c_str());
  if (!program.main_window.Create()) return 1;
  // Another copy running: end at once, nothing shown, nothing touched.
  const bool start_switch = StartSwitchGiven(win32::Narrow(arguments ? arguments : L""));
  if (!program.form.Form_Load(start_switch)) return 0;
  program.main_window.Start();
  return RunMessageLoop(program.station);
}

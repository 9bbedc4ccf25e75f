// The "Signal de vie" window under Wine: its controls and font, an address
// refused and one kept, and a test whose answer comes while it stays usable.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "fake_clock.h"
#include "fake_messages.h"
#include "platform/win32/text_win32.h"
#include "station_extras.h"
#include "support.h"
#include "windows/signal_window_win32.h"

namespace orvando::test {
namespace {

using win32::SignalWindowWin32;
const std::string kIni = "C:\\Orvando\\Orvando.ini";

struct Rig {
  FakeClock clock{10, 17, 0};
  FakeMessages messages;
  StationExtras x{clock, messages};
  SignalWindowWin32 window{core, nullptr};
  SignalWindow core{window, x.signal, messages};

  HWND Control(int id) const { return window.Control(id); }
  std::string Text(int id) const {
    wchar_t text[512] = {};
    GetWindowTextW(Control(id), text, 512);
    return win32::Narrow(text);
  }
  void Type(const std::string& address) {
    SetWindowTextW(Control(SignalWindowWin32::kText1), win32::Widen(address).c_str());
  }
  void Click(int id) {
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id)));
  }
};

TEST(SignalWindow_Win32, AddressCheckedKeptOrNotAndTheTestsAnswer) {
  Rig r;
  ASSERT_TRUE(r.x.ini.Write("https://hc-ping.com/ancienne"));
  r.core.Show();
  ASSERT_TRUE(r.window.IsOpen());
  EXPECT_EQ(r.Text(SignalWindowWin32::kText1), "https://hc-ping.com/ancienne");
  EXPECT_EQ(r.Text(SignalWindowWin32::kLabel2), "Aucun envoi depuis le démarrage d'Orvando.");
  // The service the address is, as it is typed.
  EXPECT_EQ(r.Text(SignalWindowWin32::kLabel3).rfind("Healthchecks : ", 0), 0u);
  r.Type("https://kuma.example.org/api/push/Ab1");
  EXPECT_EQ(r.Text(SignalWindowWin32::kLabel3).rfind("Uptime Kuma : ", 0), 0u);
  EXPECT_STREQ(FontOf(r.Control(SignalWindowWin32::kText1)).lfFaceName, L"MS Sans Serif");

  // Refused: said why, nothing kept, the window stays.
  r.Type("hc-ping.com/nouvelle");
  r.Click(SignalWindowWin32::kCommandOK);
  ASSERT_EQ(r.messages.errors.size(), 1u);
  EXPECT_NE(r.messages.errors[0].find("http://"), std::string::npos);
  EXPECT_TRUE(r.window.IsOpen());
  EXPECT_EQ(r.x.ini.Address(), "https://hc-ping.com/ancienne");

  // Tried: under way, then its answer, from the loop.
  r.Type(" https://hc-ping.com/nouvelle ");
  r.Click(SignalWindowWin32::kCommandTester);
  ASSERT_EQ(r.x.http.requests.size(), 1u);
  EXPECT_EQ(r.x.http.requests[0].url, "https://hc-ping.com/nouvelle");
  EXPECT_EQ(r.x.http.requests[0].body, "Test d'Orvando");
  EXPECT_EQ(r.Text(SignalWindowWin32::kLabel2), "Envoi en cours…");
  EXPECT_FALSE(IsWindowEnabled(r.Control(SignalWindowWin32::kCommandTester)));
  r.x.http.Answer(200);
  EXPECT_EQ(r.Text(SignalWindowWin32::kLabel2),
            "Dernier envoi. À 10:17 : Signal de vie d'essai envoyé (réponse 200).");
  EXPECT_TRUE(IsWindowEnabled(r.Control(SignalWindowWin32::kCommandTester)));

  // Kept, and the window goes.
  r.Click(SignalWindowWin32::kCommandOK);
  EXPECT_FALSE(r.window.IsOpen());
  EXPECT_EQ(r.x.files.Content(kIni), "[SignalDeVie]\r\nAdresse=https://hc-ping.com/nouvelle\r\n");

  // Annuler keeps it as it was; an empty field, kept, removes it.
  const std::string kept = r.x.files.Content(kIni);
  for (const int button :
       {int{SignalWindowWin32::kCommandAnnuler}, int{SignalWindowWin32::kCommandOK}}) {
    r.core.Show();
    r.Type("");
    r.Click(button);
    EXPECT_FALSE(r.window.IsOpen());
    EXPECT_EQ(r.x.files.Content(kIni), button == IDCANCEL ? kept : "[SignalDeVie]\r\n");
  }
  EXPECT_EQ(r.messages.errors.size(), 1u);
}

}  // namespace
}  // namespace orvando::test

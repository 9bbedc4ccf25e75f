// The signal of life under Wine: runs of the stand-in station, then the POST
// to the local test server (the fixture Win32Http_Server starts it).
#include <fstream>
#include <iterator>
#include <sstream>

#include "config/orvando_ini.h"
#include "platform/win32/http_win32.h"
#include "station/signal_de_vie.h"
#include "station_fixture.h"

namespace orvando::test {
namespace {

[[maybe_unused]] const bool kNoProxy = SetEnvironmentVariableW(L"http_proxy", nullptr) |
                                       SetEnvironmentVariableW(L"https_proxy", nullptr);

std::string ServerFile(const std::string& name) {
  std::ifstream in(fs::path(WinePath((ORVANDO_HTTP_SERVER_DIR "/" + name).c_str())),
                   std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string Url(const std::string& port_of, const std::string& path) {
  std::istringstream ports(ServerFile("ports"));
  std::string what, port;
  while (ports >> what >> port && what != port_of) {
  }
  return (port_of == "https" ? "https" : "http") + ("://127.0.0.1:" + port) + path;
}

using Win32Http_SignalOfLife = StationFixture;

// After a run that recorded, one POST whose body is the run's lines; after
// a silent run, none. Whatever the answer, it is one line of the history
// within the bound, and nothing waits for it: the next run starts meanwhile.
TEST_F(Win32Http_SignalOfLife, OneLinePerSignalAndTheNextRunStartsMeanwhile) {
  constexpr int kBound = 2000;
  const std::string tag = std::to_string(GetCurrentProcessId());
  const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
  const struct {
    const char* name;
    std::string url;
    bool records;
    const char* line;  // what the history says of the signal; none: nothing sent
  } cases[] = {
      {"a good run", Url("http", "/status/200/good-" + tag), true,
       "Signal de vie envoyé (réponse 200)."},
      {"a silent run", Url("http", "/status/200/silent-run-" + tag), false, nullptr},
      {"a server that never answers", Url("http", "/silent/hang-" + tag), true,
       "Signal de vie non envoyé : pas de réponse en 2 secondes."},
      {"a port where nobody listens", Url("refused", "/x"), true,
       "Signal de vie non envoyé : l'adresse n'a pas pu être jointe"},
      // Wine's WinHTTP refuses it with its error for any failed handshake.
      {"a self-signed certificate", Url("https", "/status/200/tls-" + tag), true,
       wine ? "Signal de vie non envoyé" : "le certificat du serveur a été refusé"},
  };
  SetEnvironmentVariableW(L"ORVANDO_STATION_DATA_MS", L"200");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Mode(c.records ? L"write-data" : L"normal");
    FakeFiles files;
    History history(files, clock);
    OrvandoIni ini(files);
    ASSERT_TRUE(ini.Write(c.url));
    win32::Win32HttpClient http;
    Notices notices(messages, clock);
    SignalDeVie signal(ini, http, clock, notices, &history, kBound);
    signal.Load();
    signal.SetArmed(true);
    OuvrFermHW hw(chemin, folders, station, alarm, clock, messages, &history, {}, &signal);
    hw.OuvrirHW();
    ASSERT_TRUE(WaitForLine(c.records ? "data 72" : "window 1 1"));
    ASSERT_TRUE(Settle(hw));
    hw.FermerHW();
    ASSERT_TRUE(Settle(hw));
    const ULONGLONG closed = GetTickCount64();
    // The next run starts while a signal to a server that never answers is
    // still under way: nothing waited for it.
    const bool under_way = signal.Busy();
    hw.OuvrirHW();
    if (std::string(c.name) == "a server that never answers") {
      EXPECT_TRUE(under_way);
    }
    EXPECT_TRUE(WaitUntil([&] { return Events("start").size() == 2; }, 5000));
    const auto said = [&] {
      const std::string log = files.Content(history.Path());
      if (c.line) return log.find(c.line) != std::string::npos;
      for (const char* any :
           {"Signal de vie envoyé", "Signal de vie non", "Signal de vie refusé"}) {
        if (log.find(any) != std::string::npos) return true;
      }
      return false;
    };
    EXPECT_EQ(WaitUntil(said, kBound + win32::Win32HttpClient::kGraceMs), c.line != nullptr)
        << files.Content(history.Path());
    if (c.line) {
      EXPECT_LE(GetTickCount64() - closed, ULONGLONG{kBound + win32::Win32HttpClient::kGraceMs});
    }
    if (c.line && std::string(c.line).find("200") != std::string::npos) {
      const std::string sent = ServerFile("records/good-" + tag);
      EXPECT_NE(sent.find("\n\n"), std::string::npos) << sent;
      const std::string body = sent.substr(sent.find("\n\n") + 2);
      EXPECT_NE(body.find("\tHeavyWeather lancé depuis « " + chemin + " ».\r\n"), std::string::npos)
          << body;
      EXPECT_NE(body.find("\tHeavyWeather fermé, "), std::string::npos) << body;
      std::printf("the server received:\n%s\n", sent.c_str());
    }
    if (!c.line) {
      EXPECT_EQ(ServerFile("records/silent-run-" + tag), "") << "sent after a silent run";
    }
    TearDown();
    SetUp();
  }
  SetEnvironmentVariableW(L"ORVANDO_STATION_DATA_MS", nullptr);
}

}  // namespace
}  // namespace orvando::test

// The signal of life under Wine: runs of the stand-in station, then the POST
// to the local test server (the fixture Win32Http_Server starts it).
#include "config/orvando_ini.h"
#include "platform/win32/http_win32.h"
#include "station/signal_de_vie.h"
#include "station_fixture.h"

namespace orvando::test {
namespace {

// The signal of life to `address`, armed.
struct Signalled {
  Signalled(const std::string& address, int bound_ms, const Clock& clock, FakeMessages& messages)
      : history(files, clock),
        notices(messages, clock),
        signal(ini, http, clock, no_alarm, notices, history, bound_ms) {
    EXPECT_TRUE(ini.Write(address));
    signal.Load();
    signal.SetArmed(true);
  }
  std::string Log() const { return files.Content(history.Path()); }

  FakeFiles files;
  History history;
  OrvandoIni ini{files};
  win32::Win32HttpClient http;
  Notices notices;
  NoAlarm no_alarm;
  SignalDeVie signal;
};

using Win32Http_SignalOfLife = StationFixture;

// After a run that recorded, one POST whose body is the run's lines; after
// a silent run, none. Whatever the answer, it is one line of the history
// within the bound, and nothing waits for it: the next run starts meanwhile.
TEST_F(Win32Http_SignalOfLife, OneLinePerSignalAndTheNextRunStartsMeanwhile) {
  constexpr int kBound = 2000;
  const std::string tag = std::to_string(GetCurrentProcessId());
  const bool wine = UnderWine();
  const struct {
    const char* name;
    std::string url;
    bool records;
    const char* line;  // what the history says of the signal; none: nothing sent
  } cases[] = {
      {"a good run", ServerUrl("http", "/status/200/good-" + tag), true,
       "Signal de vie envoyé (réponse 200)."},
      {"a silent run", ServerUrl("http", "/status/200/silent-run-" + tag), false, nullptr},
      {"a server that never answers", ServerUrl("http", "/silent/hang-" + tag), true,
       "Signal de vie non envoyé : pas de réponse en 2 secondes."},
      {"a port where nobody listens", ServerUrl("refused", "/x"), true,
       "Signal de vie non envoyé : l'adresse n'a pas pu être jointe"},
      // Wine's WinHTTP refuses it with its error for any failed handshake.
      {"a self-signed certificate", ServerUrl("https", "/status/200/tls-" + tag), true,
       wine ? "Signal de vie non envoyé" : "le certificat du serveur a été refusé"},
  };
  const ScopedEnv data(L"ORVANDO_STATION_DATA_MS", L"200");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Mode(c.records ? L"write-data" : L"normal");
    Signalled s(c.url, kBound, clock, messages);
    OuvrFermHW hw(LinksTo(s.notices, s.history, s.signal));
    hw.OuvrirHW();
    ASSERT_TRUE(WaitForLine(c.records ? "data 72" : "window 1 1"));
    ASSERT_TRUE(Settle(hw));
    hw.FermerHW();
    ASSERT_TRUE(Settle(hw));
    const ULONGLONG closed = GetTickCount64();
    // The next run starts while a signal to a server that never answers is
    // still under way: nothing waited for it.
    const bool under_way = s.signal.Busy();
    hw.OuvrirHW();
    if (std::string(c.name) == "a server that never answers") {
      EXPECT_TRUE(under_way);
    }
    EXPECT_TRUE(PumpUntil([&] { return Events("start").size() == 2; }, 5000));
    const auto said = [&] {
      const std::string log = s.Log();
      if (c.line) return log.find(c.line) != std::string::npos;
      for (const char* any :
           {"Signal de vie envoyé", "Signal de vie non", "Signal de vie refusé"}) {
        if (log.find(any) != std::string::npos) return true;
      }
      return false;
    };
    EXPECT_EQ(PumpUntil(said, kBound + win32::Win32HttpClient::kGraceMs), c.line != nullptr)
        << s.Log();
    if (c.line) {
      EXPECT_LE(GetTickCount64() - closed, ULONGLONG{kBound + win32::Win32HttpClient::kGraceMs});
    }
    if (c.line && std::string(c.line).find("200") != std::string::npos) {
      const std::string sent = ServerBytes("records/good-" + tag);
      EXPECT_NE(sent.find("\n\n"), std::string::npos) << sent;
      const std::string body = sent.substr(sent.find("\n\n") + 2);
      EXPECT_NE(body.find("\tHeavyWeather lancé depuis « " + chemin + " ».\r\n"), std::string::npos)
          << body;
      EXPECT_NE(body.find("\tHeavyWeather fermé, "), std::string::npos) << body;
      std::printf("the server received:\n%s\n", sent.c_str());
    }
    if (!c.line) {
      EXPECT_EQ(ServerBytes("records/silent-run-" + tag), "") << "sent after a silent run";
    }
    TearDown();
    SetUp();
  }
}

// A good run, then a launch that failed (the program gone), for a
// Healthchecks address and for an Uptime Kuma 1.x one, which takes GET only:
// what the local server received of each.
TEST_F(Win32Http_SignalOfLife, EachServiceHearsAGoodRunAndAFailedLaunchInItsDialect) {
  const std::string tag = std::to_string(GetCurrentProcessId());
  const struct {
    std::string address, good, failed;  // the records; the failed one's request line
    std::string failed_line;
  } cases[] = {
      {ServerUrl("http", "/ping/hc-" + tag), "hc-" + tag, "hc-" + tag + "-fail",
       "POST /ping/hc-" + tag + "/fail HTTP/1.1"},
      {ServerUrl("http", "/api/push/kuma-" + tag + "?ping="), "kuma-" + tag, "kuma-" + tag + ".2",
       "GET /api/push/kuma-" + tag + "?ping=&status=down&msg=Impossible%20de%20lancer%20"},
  };
  const ScopedEnv data(L"ORVANDO_STATION_DATA_MS", L"200");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    Mode(L"write-data");
    Signalled s(c.address, 2000, clock, messages);
    OuvrFermHW hw(LinksTo(s.notices, s.history, s.signal));
    const auto said = [&](const char* line) {
      return PumpUntil([&] { return s.Log().find(line) != std::string::npos; }, 5000);
    };
    hw.OuvrirHW();
    ASSERT_TRUE(WaitForLine("data 72"));
    ASSERT_TRUE(Settle(hw));
    hw.FermerHW();
    ASSERT_TRUE(Settle(hw));
    EXPECT_TRUE(said("\tSignal de vie envoyé (réponse 200).")) << s.Log();
    ASSERT_TRUE(WaitForLine("exit 0"));
    ASSERT_TRUE(DeleteFileW((Folder() / L"heavy weather.exe").c_str()));
    hw.OuvrirHW();
    EXPECT_TRUE(said("\tSignal d'échec envoyé (réponse 200).")) << s.Log();
    const std::string good = ServerBytes("records/" + c.good);
    const std::string failed = ServerBytes("records/" + c.failed);
    EXPECT_EQ(failed.rfind(c.failed_line, 0), 0u) << failed;
    // Healthchecks shows the body in its alert: the reason first.
    if (failed.rfind("POST", 0) == 0) {
      EXPECT_NE(failed.find("\n\nImpossible de lancer"), std::string::npos) << failed;
    }
    std::printf("after a good run the server received:\n%s\nafter a failed launch:\n%s\n",
                good.c_str(), failed.c_str());
    TearDown();
    SetUp();
  }
}

}  // namespace
}  // namespace orvando::test

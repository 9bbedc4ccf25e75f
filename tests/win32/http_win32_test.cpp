// The HTTP POST against a local server (tests/support/http_server.py, which
// the CTest fixture Win32Http_Server starts).
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include <winhttp.h>

#include "platform/win32/http_win32.h"
#include "platform/win32/text_win32.h"
#include "support.h"

namespace orvando::test {
namespace {

using Kind = HttpAnswer::Kind;
constexpr int kBound = 2000;

// One request, and what `done` was told. `started` is still false while Send
// runs: an answer then counts as given from inside it.
struct Call {
  Call(win32::Win32HttpClient& client, const std::string& url, const std::string& method = "POST")
      : posted_at(GetTickCount64()) {
    const std::string body = method == "GET" ? "" : "Orvando: relevé réussi\r\n";
    started = client
                  .Send({method, url, body, method == "GET" ? "" : "text/plain; charset=utf-8",
                         "Orvando/1.30", kBound},
                        [this](const HttpAnswer& a) {
                          ++(started ? calls : calls_inside_post);
                          answer = a;
                          took = GetTickCount64() - posted_at;
                        })
                  .ok;
  }
  bool Answered(int ms) {
    return PumpUntil([&] { return calls > 0; }, ms) && !calls_inside_post;
  }
  bool started = false;
  int calls = 0, calls_inside_post = 0;
  HttpAnswer answer;
  ULONGLONG posted_at, took = 0;
};

// Each kind of answer, given once, from the loop, within the bound, while
// the program's timers keep running; one request at a time.
TEST(Win32Http_Answer, EachKindOnceFromTheLoopWithinTheBound) {
  const std::string tag = std::to_string(GetCurrentProcessId());
  const bool wine = UnderWine();
  const struct {
    std::string url;
    Kind kind;
    int status;
    ULONGLONG at_least_ms = 0;
    std::string method = "POST";
  } cases[] = {
      {ServerUrl("http", "/status/200/ok-" + tag + "?signal=1&n=2"), Kind::Status, 200},
      // Uptime Kuma 1.x: GET only.
      {ServerUrl("http", "/api/push/kuma-" + tag + "?status=up&msg=OK"), Kind::Status, 200, 0,
       "GET"},
      {ServerUrl("http", "/api/push/kuma-post-" + tag), Kind::Status, 404},
      {ServerUrl("http", "/status/500/error-" + tag), Kind::Status, 500},
      {ServerUrl("refused", "/status/200/refused"), Kind::Unreachable, 0},
      // Self-signed, so refused, and nothing sent. Wine's WinHTTP answers any
      // failed handshake, this one too, with ERROR_WINHTTP_SECURE_CHANNEL_ERROR
      // (12157), where Windows answers ERROR_WINHTTP_SECURE_FAILURE (12175).
      {ServerUrl("https", "/status/200/tls-" + tag), wine ? Kind::Failed : Kind::Certificate, 0},
      // Taken, never answered. Receiving gets half the bound at least (Wine's
      // WinHTTP waits for the response within the sending already).
      {ServerUrl("http", "/silent/silent"), Kind::TimedOut, 0, kBound / 2 - 100},
  };
  ASSERT_EQ(GetModuleHandleW(L"winhttp.dll"), nullptr) << "loaded before the first request";
  static ULONGLONG last_tick = GetTickCount64(), longest_gap = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    longest_gap = std::max(longest_gap, GetTickCount64() - last_tick);
    last_tick = GetTickCount64();
  });
  constexpr int kGrace = 800;  // a guard's TimedOut would come later than the bound checked
  win32::Win32HttpClient client(kGrace);
  std::vector<Call> calls;
  calls.reserve(std::size(cases));
  for (const auto& c : cases) {
    ASSERT_TRUE(calls.emplace_back(client, c.url, c.method).started) << c.url;
    EXPECT_FALSE(Call(client, c.url).started) << "a second request under way";
    ASSERT_TRUE(calls.back().Answered(kBound + 1000)) << c.url;
    EXPECT_EQ(calls.back().answer.kind, c.kind) << c.url << calls.back().answer.detail;
    EXPECT_EQ(calls.back().answer.status, c.status) << c.url;
    EXPECT_GE(calls.back().took, c.at_least_ms) << c.url;
    EXPECT_LE(calls.back().took, ULONGLONG{kBound + 500}) << c.url;
  }
  // Past every guard's time: nothing more is answered, and no connection left.
  const ULONGLONG guards_past = calls.back().posted_at + kBound + kGrace + 100;
  PumpUntil([&] { return GetTickCount64() > guards_past; }, kBound + kGrace + 200);
  KillTimer(nullptr, timer);
  EXPECT_LT(longest_gap, 500u) << "the loop was held up";
  for (const Call& call : calls) EXPECT_EQ(call.calls, 1);
  EXPECT_TRUE(fs::exists(ServerFile("records/ok-" + tag + ".closed")));
  EXPECT_TRUE(fs::exists(ServerFile("records/error-" + tag + ".closed")));
  EXPECT_FALSE(fs::exists(ServerFile("records/tls-" + tag))) << "sent despite the certificate";
  // Wine refused the certificate once the handshake was made, not TLS itself,
  // and said so with the channel's error, not with any other failure.
  if (wine) {
    EXPECT_TRUE(fs::exists(ServerFile("handshakes"))) << "Wine speaks no TLS: GnuTLS?";
    EXPECT_EQ(calls[5].answer.detail, win32::ErrorText(ERROR_WINHTTP_SECURE_CHANNEL_ERROR,
                                                       GetModuleHandleW(L"winhttp.dll")));
  }
  const std::string sent = ServerBytes("records/ok-" + tag);
  EXPECT_EQ(sent.find("POST /status/200/ok-" + tag + "?signal=1&n=2 HTTP/1.1\n"), 0u) << sent;
  EXPECT_NE(sent.find("\nContent-Type: text/plain; charset=utf-8\n"), std::string::npos) << sent;
  EXPECT_NE(sent.find("\nUser-Agent: Orvando/1.30\n"), std::string::npos) << sent;
  EXPECT_TRUE(sent.ends_with("\n\nOrvando: relevé réussi\r\n")) << sent;
  const std::string got = ServerBytes("records/kuma-" + tag);
  EXPECT_EQ(got.find("GET /api/push/kuma-" + tag + "?status=up&msg=OK HTTP/1.1\n"), 0u) << got;
  EXPECT_EQ(got.find("Content-Type"), std::string::npos) << got;
}

// WinHTTP overrunning the bound: the guard tells the caller TimedOut, the
// late answer is dropped, and no request starts before the late thread ends.
TEST(Win32Http_Bound, ALateAnswerIsDroppedAndHoldsTheNextPost) {
  win32::Win32HttpClient client(300 - kBound);  // the guard rings long before WinHTTP gives up
  Call late(client, ServerUrl("http", "/silent/late"));
  ASSERT_TRUE(late.Answered(kBound));
  EXPECT_EQ(late.answer.kind, Kind::TimedOut);
  EXPECT_LT(late.took, ULONGLONG{kBound / 2 - 100});
  std::optional<Call> next;
  const std::string url = ServerUrl("http", "/status/200/after-late");
  ASSERT_TRUE(PumpUntil([&] { return next.emplace(client, url).started; }, kBound + 1000));
  EXPECT_GE(next->posted_at - late.posted_at, ULONGLONG{kBound / 2 - 100});
  EXPECT_TRUE(next->Answered(kBound + 1000));
  EXPECT_EQ(next->answer.status, 200) << next->answer.detail;
  EXPECT_EQ(late.calls, 1);
}

}  // namespace
}  // namespace orvando::test

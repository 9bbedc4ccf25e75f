#include "platform/win32/http_win32.h"

// For WinHTTP's types and constants only: its functions are looked up at the
// first request, never imported (WinHttp(), dyn_calls_win32.h).
#include <winhttp.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "platform/win32/clock_win32.h"
#include "platform/win32/dyn_calls_win32.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {
namespace {

constexpr UINT kAnswerMessage = WM_APP + 1;  // lParam: the worker's HttpAnswer, ours to free
constexpr UINT_PTR kGuardTimer = 1;
// The body is read only so that the answer is whole; a monitoring service
// answers "OK" or a short page, and what passes this is dropped unread.
constexpr DWORD kBodyReadMax = 4096;

// A WinHTTP handle, closed through the worker's own copy of WinHttpCloseHandle.
using InternetHandle = UniqueThrough<HINTERNET, decltype(WinHttpApi::CloseHandle)>;

// Everything a worker needs, its own copies.
struct Job {
  WinHttpApi api;
  std::wstring method;
  std::wstring url;
  std::wstring agent;
  std::wstring headers;
  std::string body;
  int bound_ms;
  HWND reply_to;
};

HttpAnswer::Kind KindOf(DWORD error) {
  switch (error) {
    case ERROR_WINHTTP_TIMEOUT:
    case WSAETIMEDOUT:  // Wine's WinHTTP passes its sockets' own codes on
      return HttpAnswer::Kind::TimedOut;
    // The proxy's own name and connection fail with the same codes; a proxy
    // that answers (407, 502...) gives a status.
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
    case ERROR_WINHTTP_CANNOT_CONNECT:
    case ERROR_WINHTTP_CONNECTION_ERROR:
    case WSAECONNRESET:  // Wine's for a connection reset once made
      return HttpAnswer::Kind::Unreachable;
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_CLIENT_AUTH_CERT_NEEDED:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE:
      return HttpAnswer::Kind::Certificate;
    default:
      return HttpAnswer::Kind::Failed;
  }
}

HttpAnswer Failure(const WinHttpApi& api, DWORD error) {
  return {KindOf(error), 0, ErrorText(error, api.module)};
}

// What is left of the bound, in the form WinHTTP's timeouts take: at least
// 1 ms, since 0 would mean no limit at all. 0 once the deadline is past.
int Left(int64_t deadline) {
  const int64_t left = deadline - UnbiasedMs();
  return left <= 0 ? 0 : static_cast<int>(std::max<int64_t>(left, 1));
}

// Bounds each wait from here on. The wait for the response's headers has a
// timeout of its own, which WinHttpSetTimeouts leaves at its default (90 s on
// Windows).
bool BoundWaits(const WinHttpApi& api, HINTERNET request, int resolve, int connect, int send,
                int receive) {
  DWORD response = static_cast<DWORD>(receive);
  return api.SetTimeouts(request, resolve, connect, send, receive) &&
         api.SetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &response,
                       sizeof response);
}

HttpAnswer Send(const Job& job) {
  const WinHttpApi& api = job.api;
  const int64_t deadline = UnbiasedMs() + job.bound_ms;
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = DWORD(-1);
  if (!api.CrackUrl(job.url.c_str(), 0, 0, &parts)) return Failure(api, GetLastError());
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  const std::wstring path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                            std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);

  // The system's proxy settings, as set for WinHTTP (netsh winhttp).
  InternetHandle session(api.CloseHandle,
                         api.Open(job.agent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                  WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return Failure(api, GetLastError());
  // Windows 7 SP1 offers TLS 1.0 only unless told, and most services refuse
  // it now. One without the update that brought 1.1 and 1.2 to WinHTTP
  // (KB3140245) refuses the option: it then tries with its default.
  DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_1 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2;
  api.SetOption(session.get(), WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof protocols);
  InternetHandle connection(api.CloseHandle,
                            api.Connect(session.get(), host.c_str(), parts.nPort, 0));
  if (!connection) return Failure(api, GetLastError());
  // The certificate is checked by Windows, and its verdict stands.
  const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
  InternetHandle request(
      api.CloseHandle,
      api.OpenRequest(connection.get(), job.method.c_str(), path.empty() ? nullptr : path.c_str(),
                      nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, secure));
  if (!request) return Failure(api, GetLastError());
  // The connection ends with the request, instead of waiting in a pool for a
  // next one that comes a quarter of an hour later at the soonest (Wine's
  // pool keeps it 30 s past our handles, with a thread of its own).
  DWORD keep_alive = WINHTTP_DISABLE_KEEP_ALIVE;
  api.SetOption(request.get(), WINHTTP_OPTION_DISABLE_FEATURE, &keep_alive, sizeof keep_alive);

  // Sending holds four waits in one call, which share what is left: an
  // eighth for the name, a quarter for the connection (Windows sends a lost
  // SYN again after 3 s), an eighth for the sending, and half for receiving:
  // the TLS handshake's answers, and under Wine already the response, which
  // its WinHTTP starts waiting for within this call.
  int ms = Left(deadline);
  if (!ms) return Failure(api, ERROR_WINHTTP_TIMEOUT);
  const int eighth = std::max(ms / 8, 1);
  if (!BoundWaits(api, request.get(), eighth, 2 * eighth, eighth, 4 * eighth))
    return Failure(api, GetLastError());
  const DWORD size = static_cast<DWORD>(job.body.size());
  if (!api.SendRequest(request.get(), job.headers.empty() ? nullptr : job.headers.c_str(),
                       DWORD(-1), const_cast<char*>(job.body.data()), size, size, 0))
    return Failure(api, GetLastError());

  // Then the response: its headers, then a few KB of its body, each wait
  // within what is left. Should Windows refuse a new setting, the one above
  // still holds.
  if (!(ms = Left(deadline))) return Failure(api, ERROR_WINHTTP_TIMEOUT);
  BoundWaits(api, request.get(), ms, ms, ms, ms);
  if (!api.ReceiveResponse(request.get(), nullptr)) return Failure(api, GetLastError());
  DWORD status = 0;
  DWORD status_size = sizeof status;
  if (!api.QueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &status_size,
                        WINHTTP_NO_HEADER_INDEX))
    return Failure(api, GetLastError());
  char dropped[1024];
  for (DWORD total = 0, read = 1; read && total < kBodyReadMax; total += read) {
    if (!(ms = Left(deadline))) return Failure(api, ERROR_WINHTTP_TIMEOUT);
    BoundWaits(api, request.get(), ms, ms, ms, ms);
    if (!api.ReadData(request.get(), dropped, sizeof dropped, &read))
      return Failure(api, GetLastError());
  }
  return {HttpAnswer::Kind::Status, static_cast<int>(status), {}};
}

// The worker. Its handles are closed when Send returns, before the answer is
// posted: once the UI has it, no connection of ours is left.
DWORD WINAPI Work(void* param) {
  const std::unique_ptr<Job> job(static_cast<Job*>(param));
  auto* answer = new HttpAnswer(Send(*job));
  // A client gone (its window destroyed) can't take it any more. Should it go
  // just after the answer was posted, the message and the answer's few bytes
  // are lost with its window: at the program's end, nothing to worry about.
  if (!PostMessageW(job->reply_to, kAnswerMessage, 0, reinterpret_cast<LPARAM>(answer)))
    delete answer;
  return 0;
}

}  // namespace

Outcome Win32HttpClient::Send(const HttpRequest& request,
                              std::function<void(const HttpAnswer&)> done) {
  if (thread_running_) return Outcome::Fail(kRequestStillRunning);
  const WinHttpApi* api = WinHttp();
  if (!api) return Outcome::Fail("WinHTTP (winhttp.dll) est introuvable sur ce PC");
  const Outcome refused = Outcome::Fail("Windows n'a pas pu lancer la requête");
  if (!loaded() && !Create({.class_name = L"OrvandoHttp", .parent = HWND_MESSAGE})) return refused;
  const std::wstring headers = request.content_type.empty()
                                   ? std::wstring()
                                   : L"Content-Type: " + Widen(request.content_type);
  auto job = std::make_unique<Job>(Job{*api, Widen(request.method), Widen(request.url),
                                       Widen(request.user_agent), headers, request.body,
                                       std::max(request.bound_ms, 0), hwnd()});
  // Should WinHTTP overrun its own timeouts, the caller is told at the bound
  // and a grace all the same.
  const int64_t guard = std::clamp<int64_t>(int64_t{job->bound_ms} + grace_ms_, 0, 0x7FFFFFFF);
  if (!SetTimer(hwnd(), kGuardTimer, static_cast<UINT>(guard), nullptr)) return refused;
  // The handle is closed at once: nothing ever waits for the thread.
  const UniqueHandle thread(CreateThread(nullptr, 0, &Work, job.get(), 0, nullptr));
  if (!thread) {
    KillTimer(hwnd(), kGuardTimer);
    return refused;
  }
  job.release();
  thread_running_ = true;
  done_ = std::move(done);
  return Outcome::Ok();
}

LRESULT Win32HttpClient::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kAnswerMessage) {
    const std::unique_ptr<HttpAnswer> answer(reinterpret_cast<HttpAnswer*>(lparam));
    thread_running_ = false;
    // Already told TimedOut by the guard, the caller gets nothing more.
    Answer(*answer);
    return 0;
  }
  if (message == WM_TIMER && wparam == kGuardTimer) {
    // The thread runs on until WinHTTP lets it go; until then a new request is
    // refused, so that there is never more than one.
    Answer({HttpAnswer::Kind::TimedOut, 0,
            ErrorText(ERROR_WINHTTP_TIMEOUT, GetModuleHandleW(L"winhttp.dll"))});
    return 0;
  }
  return Window::OnMessage(message, wparam, lparam);
}

// `done` may post again at once: the state is settled before it runs.
void Win32HttpClient::Answer(const HttpAnswer& answer) {
  KillTimer(hwnd(), kGuardTimer);
  if (auto done = std::exchange(done_, nullptr)) done(answer);
}

}  // namespace orvando::win32

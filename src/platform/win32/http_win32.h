#pragma once
// The HTTP request on Windows: WinHTTP, loaded from System32 at the first
// request only (an owner who gave no address never pays for it), run
// synchronously on a thread of its own per request. The thread owns copies of
// all it needs and hands its answer back by a message to a message-only
// window of ours, so that `done` runs from whichever loop runs the messages,
// as the alarm's ring does.
//
// One request at a time, and one thread at most: if the answer is late (the
// bound and a grace have passed), `done` is told TimedOut, and a new request
// is refused until the late thread has ended and its answer has been dropped.
// So no thread is ever left behind while no request is under way, and threads
// can't pile up on a WinHTTP that hangs; should one never let go, the signals
// stop, which is what the monitoring service is there to notice. The program
// never waits for the thread: quitting during a request ends it.

#include <functional>

#include "platform/http.h"
#include "platform/win32/window_win32.h"

namespace orvando::win32 {

class Win32HttpClient : public HttpClient, private Window {
 public:
  // How long after the bound the answer is given up for late. Tests shorten
  // it (below zero even) to see a late answer dropped.
  static constexpr int kGraceMs = 2000;
  explicit Win32HttpClient(int grace_ms = kGraceMs) : grace_ms_(grace_ms) {}

  Outcome Send(const HttpRequest& request, std::function<void(const HttpAnswer&)> done) override;

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Answer(const HttpAnswer& answer);

  const int grace_ms_;
  bool thread_running_ = false;                  // from Send until its answer comes back
  std::function<void(const HttpAnswer&)> done_;  // until `done` has been called
};

}  // namespace orvando::win32

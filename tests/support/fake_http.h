#pragma once
// HTTP for core tests: each request is kept, and answered when the test says.

#include <functional>
#include <utility>
#include <vector>

#include "platform/http.h"

namespace orvando::test {

class FakeHttp : public HttpClient {
 public:
  Outcome Send(const HttpRequest& request, std::function<void(const HttpAnswer&)> done) override {
    if (done_) return Outcome::Fail(kRequestStillRunning);
    if (!refuse.empty()) return Outcome::Fail(refuse);
    requests.push_back(request);
    done_ = std::move(done);
    return Outcome::Ok();
  }
  bool Pending() const { return done_ != nullptr; }
  // The request under way gets its answer, as the message loop would bring it.
  void Answer(HttpAnswer answer) {
    if (auto done = std::exchange(done_, nullptr)) done(answer);
  }
  void Answer(int status) { Answer({HttpAnswer::Kind::Status, status, {}}); }

  std::vector<HttpRequest> requests;
  std::string refuse;  // why every request is refused (WinHTTP missing); empty: none is

 private:
  std::function<void(const HttpAnswer&)> done_;
};

}  // namespace orvando::test

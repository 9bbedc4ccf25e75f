#pragma once
// HTTP for core tests: each POST is kept, and answered when the test says.

#include <functional>
#include <utility>
#include <vector>

#include "platform/http.h"

namespace orvando::test {

class FakeHttp : public HttpClient {
 public:
  bool Post(const HttpPost& post, std::function<void(const HttpAnswer&)> done) override {
    if (refuse || done_) return false;
    posts.push_back(post);
    done_ = std::move(done);
    return true;
  }
  bool Pending() const { return done_ != nullptr; }
  // The request under way gets its answer, as the message loop would bring it.
  void Answer(HttpAnswer answer) {
    if (auto done = std::exchange(done_, nullptr)) done(answer);
  }
  void Answer(int status) { Answer({HttpAnswer::Kind::Status, status, {}}); }

  std::vector<HttpPost> posts;
  bool refuse = false;

 private:
  std::function<void(const HttpAnswer&)> done_;
};

}  // namespace orvando::test

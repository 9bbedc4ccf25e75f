#pragma once
// A small result type: success, or failure with a message for the user.

#include <string>
#include <utility>

namespace orvando {

struct Outcome {
  bool ok = true;
  std::string error;  // French, ready to show; empty on success

  static Outcome Ok() { return {}; }
  static Outcome Fail(std::string message) { return {false, std::move(message)}; }
  explicit operator bool() const { return ok; }
};

}  // namespace orvando

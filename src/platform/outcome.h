#pragma once
// A small result type: success, or failure with a message for the user.

#include <string>
#include <utility>

namespace orvando {

struct Outcome {
  bool ok = true;
  std::string error;  // French, ready to show; empty on success
  // The failure may pass by itself: the file is held for a moment by another
  // program (a backup, a sync or a virus scan at sign-in).
  bool busy = false;

  static Outcome Ok() { return {}; }
  static Outcome Fail(std::string message, bool busy = false) {
    return {false, std::move(message), busy};
  }
  explicit operator bool() const { return ok; }
};

}  // namespace orvando

#pragma once
// Records the messages the core shows, and answers its questions.

#include <functional>
#include <string>
#include <vector>

#include "platform/user_messages.h"

namespace orvando::test {

class FakeMessages : public UserMessages {
 public:
  void ShowError(const std::string& text) override {
    errors.push_back(text);
    if (on_error) on_error();  // events a real message box would run
  }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    return answer_yes;
  }

  std::vector<std::string> errors;
  std::vector<std::string> questions;
  bool answer_yes = true;
  std::function<void()> on_error;
};

}  // namespace orvando::test

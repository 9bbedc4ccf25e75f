#pragma once
// Records the messages and notices the core shows, and answers its questions.

#include <functional>
#include <string>
#include <vector>

#include "platform/user_messages.h"

namespace orvando::test {

class FakeMessages : public UserMessages {
 public:
  void ShowInformation(const std::string& text) override {
    informations.push_back(text);
    if (while_open) while_open();  // the box's own loop, until someone presses OK
  }
  bool NoticeShown() const override { return notice_shown; }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    return answer_yes;
  }

  std::vector<std::string> errors;  // the boxes shown
  std::vector<std::string> informations;
  std::function<void()> while_open;
  std::vector<std::string> notices;  // every text the notice showed, in order
  bool notice_shown = false;         // set false: the user dismissed it
  std::function<void()> on_notice;
  std::vector<std::string> questions;
  bool answer_yes = true;

 protected:
  void ShowErrorBox(const std::string& text) override { errors.push_back(text); }
  void ShowNoticeWindow(const std::string& text) override {
    notices.push_back(text);
    notice_shown = true;
    if (on_notice) on_notice();
  }
};

}  // namespace orvando::test

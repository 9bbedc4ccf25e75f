#include "platform/user_messages.h"

#include <utility>

namespace orvando {

void UserMessages::ShowError(const std::string& text) {
  if (!holding_) return ShowErrorBox(text);
  if (!held_.empty()) held_ += "\n\n";
  held_ += text;
}

void UserMessages::ShowNotice(const std::string& text) {
  notice_text_ = text;
  ShowNoticeWindow(text);
}

void UserMessages::ShowHeldErrors() {
  holding_ = false;
  if (!held_.empty()) ShowNotice(std::exchange(held_, {}));
}

}  // namespace orvando

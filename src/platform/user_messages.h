#pragma once
// Message boxes. All texts are French.

#include <string>

namespace orvando {

class UserMessages {
 public:
  virtual ~UserMessages() = default;

  // An error the user can act on. At most one such message is on screen at a
  // time: one that arrives while another is shown is dropped.
  virtual void ShowError(const std::string& text) = 0;

  // The quit question: Yes/No, question icon, Yes the default, the
  // application's title. True for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
};

}  // namespace orvando

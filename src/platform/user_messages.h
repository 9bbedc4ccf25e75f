#pragma once
// Message boxes and notices. All texts are French.

#include <string>

namespace orvando {

class UserMessages {
 public:
  virtual ~UserMessages() = default;

  // An error the user can act on, told while someone is at the PC (at
  // start-up, or after a click): a box that waits for OK. At most one such
  // box is on screen at a time: one that arrives while another is shown is
  // dropped. Between HoldErrors and ShowHeldErrors it waits for nobody.
  void ShowError(const std::string& text);
  // Nobody may be at the PC (Windows started Orvando at sign-in): the errors
  // of what follows are kept instead of shown, so that the caller first does
  // what it must (arms the schedule); ShowHeldErrors then shows them, all in
  // one notice, which waits for nobody.
  void HoldErrors() { holding_ = true; }
  void ShowHeldErrors();

  // Information the user asked for (the help): waits for OK.
  virtual void ShowInformation(const std::string& text) = 0;

  // An event of the schedule, which may come while nobody is at the PC:
  // shown without waiting for anyone, so the schedule runs on. There is one
  // notice at most: while it is on screen, a new text replaces its text.
  void ShowNotice(const std::string& text);
  // True while the notice is on screen (not yet dismissed by the user).
  virtual bool NoticeShown() const = 0;
  // What the notice on screen says; empty when there is none.
  std::string NoticeText() const { return NoticeShown() ? notice_text_ : std::string(); }

  // The quit question: Yes/No, question icon, Yes the default, the
  // application's title. True for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;

 protected:
  virtual void ShowErrorBox(const std::string& text) = 0;
  virtual void ShowNoticeWindow(const std::string& text) = 0;

 private:
  bool holding_ = false;
  std::string held_;
  std::string notice_text_;
};

}  // namespace orvando

#pragma once
// The About window's behaviour: the two links and which label is underlined.
// The real window (about_win32) forwards its events here and shows the
// underlines it is told to show.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/shell.h"

namespace orvando {

// The author's contact details, in this one place: the labels show them and
// the links use them.
struct AuthorContact {
  static constexpr std::string_view kInitials = "ZR";
  static constexpr std::string_view kMail = "zr@example.org";
  static constexpr std::string_view kSite = "http://www.example.org/";
};

// What the About window's core needs from the window that shows it.
class AboutView {
 public:
  virtual ~AboutView() = default;
  virtual std::uintptr_t WindowHandle() const = 0;
  virtual void SetLabel1Underlined(bool underlined) = 0;
  virtual void SetLabel2Underlined(bool underlined) = 0;
  // Closes the window; the About object must not be used afterwards.
  virtual void UnloadWindow() = 0;
};

class About {
 public:
  About(AboutView& view, Shell& shell);

  // Texts shown by the window.
  static std::string MailAddress() { return std::string(AuthorContact::kMail); }
  static std::string SiteAddress() { return std::string(AuthorContact::kSite); }
  static std::string Label5Text() { return std::string(AuthorContact::kInitials) + " 2-2006"; }
  // What the mail link hands to the shell.
  static std::string MailLink();

  // A new load: neither label underlined.
  void Form_Load();

  void Command1_Click();

  // Pointer moves. The labels, the envelope, the title box and OK have no
  // move handler: a move over them leaves the underlines as they are.
  void Form_MouseMove();
  void Mail_MouseMove();
  void SiteZR_MouseMove();  // the banner is part of this area

  void Mail_Click() { EnvoyerMail(); }
  void Label1_Click() { EnvoyerMail(); }
  void Image1_Click() { EnvoyerMail(); }
  void SiteZR_Click() { OuvrirSite(); }
  void Label2_Click() { OuvrirSite(); }
  void Image2_Click() { OuvrirSite(); }

  void EnvoyerMail();
  void OuvrirSite();

  bool label1_underlined() const { return label1_underlined_; }
  bool label2_underlined() const { return label2_underlined_; }

 private:
  void SetUnderlines(bool label1, bool label2);

  AboutView& view_;
  Shell& shell_;
  bool label1_underlined_ = false;
  bool label2_underlined_ = false;
};

}  // namespace orvando

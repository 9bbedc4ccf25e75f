#include "windows/about.h"

namespace orvando {

namespace {
constexpr std::string_view kProductName = "Orvando";
}  // namespace

About::About(AboutView& view, Shell& shell) : view_(view), shell_(shell) {}

std::string About::MailLink() {
  std::string link = "mailto:";
  link += AuthorContact::kMail;
  link += "?Subject=";
  link += kProductName;
  return link;
}

void About::Form_Load() {
  label1_underlined_ = label2_underlined_ = false;
  view_.SetLabel1Underlined(false);
  view_.SetLabel2Underlined(false);
}

void About::Command1_Click() {
  view_.UnloadWindow();
}

void About::Form_MouseMove() {
  SetUnderlines(false, false);
}
void About::Mail_MouseMove() {
  SetUnderlines(true, label2_underlined_);
}
void About::SiteZR_MouseMove() {
  SetUnderlines(label1_underlined_, true);
}

// Moves arrive many times a second: the view is only touched when a label
// actually changes, so the labels don't flicker.
void About::SetUnderlines(bool label1, bool label2) {
  if (label1 != label1_underlined_) {
    label1_underlined_ = label1;
    view_.SetLabel1Underlined(label1);
  }
  if (label2 != label2_underlined_) {
    label2_underlined_ = label2;
    view_.SetLabel2Underlined(label2);
  }
}

void About::EnvoyerMail() {
  shell_.Open(view_.WindowHandle(), "Open", MailLink());
}

void About::OuvrirSite() {
  shell_.Open(view_.WindowHandle(), "open", SiteAddress());
}

}  // namespace orvando

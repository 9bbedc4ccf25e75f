#include "station/notices.h"

#include "platform/text.h"

namespace orvando {
namespace {

// "03:00", or "le vendredi 4 décembre à 18:00" when that was another day.
std::string Since(const LocalTime& then, const LocalTime& now) {
  return SameDay(then, now) ? HourMinute(then)
                            : "le " + FrenchDayText(then) + " à " + HourMinute(then);
}

}  // namespace

void Notices::Report(const std::string& what) {
  Show(what, clock_.Now());
}

void Notices::ReportLasting(const std::string& what) {
  lasting_.clear();
  lasting_since_ = clock_.Now();
  Show(what, lasting_since_);
  lasting_ = what;
}

void Notices::Add(const std::string& what) {
  const std::string shown = messages_.NoticeText();
  if (shown.empty()) return Report(what);
  messages_.ShowNotice(shown + "\n\nÀ " + HourMinute(clock_.Now()) + " : " + what);
}

void Notices::Show(const std::string& what, const LocalTime& now) {
  if (messages_.NoticeShown()) {
    ++replaced_;
  } else {
    replaced_ = 0;
    first_at_ = now;
  }
  std::string text = "À " + HourMinute(now) + " : " + what;
  if (!lasting_.empty())
    text += "\n\nToujours d'actualité, depuis " + Since(lasting_since_, now) + " : " + lasting_;
  // "de 03:00", or "du vendredi 4 décembre à 18:00".
  const std::string first = SameDay(first_at_, now)
                                ? "de " + HourMinute(first_at_)
                                : "du " + FrenchDayText(first_at_) + " à " + HourMinute(first_at_);
  if (replaced_ == 1) {
    text += "\n\nCe message remplace celui " + first + ".";
  } else if (replaced_ > 1) {
    text += "\n\nCe message remplace les " + std::to_string(replaced_) +
            " précédents ; le premier date " + first + ".";
  }
  messages_.ShowNotice(text);
}

}  // namespace orvando

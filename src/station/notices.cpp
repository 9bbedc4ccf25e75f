#include "station/notices.h"

#include "platform/text.h"

namespace orvando {

void Notices::Report(const std::string& what) {
  const LocalTime now = clock_.Now();
  if (messages_.NoticeShown()) {
    ++replaced_;
  } else {
    replaced_ = 0;
    first_at_ = now;
  }
  // "de 03:00", or "du vendredi 4 décembre à 18:00".
  const std::string first = SameDay(first_at_, now)
                                ? "de " + HourMinute(first_at_)
                                : "du " + FrenchDayText(first_at_) + " à " + HourMinute(first_at_);
  std::string text = "À " + HourMinute(now) + " : " + what;
  if (replaced_ == 1) {
    text += "\n\nCe message remplace celui " + first + ".";
  } else if (replaced_ > 1) {
    text += "\n\nCe message remplace les " + std::to_string(replaced_) +
            " précédents ; le premier date " + first + ".";
  }
  messages_.ShowNotice(text);
}

}  // namespace orvando

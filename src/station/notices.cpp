#include "station/notices.h"

#include <cstdio>

namespace orvando {
namespace {

std::string HourMinute(const LocalTime& t) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", t.hour % 100, t.minute % 100);
  return text;
}

}  // namespace

void Notices::Report(const std::string& what) {
  const std::string at = HourMinute(clock_.Now());
  if (messages_.NoticeShown()) {
    ++replaced_;
  } else {
    replaced_ = 0;
    first_at_ = at;
  }
  std::string text = "À " + at + " : " + what;
  if (replaced_ == 1) {
    text += "\n\nCe message remplace celui de " + first_at_ + ".";
  } else if (replaced_ > 1) {
    text += "\n\nCe message remplace les " + std::to_string(replaced_) +
            " précédents ; le premier date de " + first_at_ + ".";
  }
  messages_.ShowNotice(text);
}

}  // namespace orvando

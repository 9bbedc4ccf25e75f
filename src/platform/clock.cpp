#include "platform/clock.h"

#include "platform/zero_padded.h"

namespace orvando {

std::string DateTimeText(const LocalTime& t) {
  return ZeroPadded(t.year, 4) + "-" + ZeroPadded(t.month, 2) + "-" + ZeroPadded(t.day, 2) + " " +
         ZeroPadded(t.hour, 2) + ":" + ZeroPadded(t.minute, 2) + ":" + ZeroPadded(t.second, 2);
}

std::string FrenchDayText(const LocalTime& t) {
  static constexpr const char* kDays[] = {"dimanche", "lundi",    "mardi", "mercredi",
                                          "jeudi",    "vendredi", "samedi"};
  static constexpr const char* kMonths[] = {
      "janvier", "février", "mars",      "avril",   "mai",      "juin",
      "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
  if (t.day_of_week < 0 || t.day_of_week > 6 || t.month < 1 || t.month > 12) return {};
  return std::string(kDays[t.day_of_week]) + " " + std::to_string(t.day) + " " +
         kMonths[t.month - 1];
}

}  // namespace orvando

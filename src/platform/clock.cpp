#include "platform/clock.h"

#include <cstdio>

namespace orvando {

std::string DateTimeText(const LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year % 10000, t.month % 100,
                t.day % 100, t.hour % 100, t.minute % 100, t.second % 100);
  return text;
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

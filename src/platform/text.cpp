#include "platform/text.h"

#include <algorithm>
#include <cctype>

namespace orvando {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

std::string_view WithoutTrailingSeparator(std::string_view path) {
  while (path.size() > RootLength(path) && IsSeparator(path.back())) path.remove_suffix(1);
  return path;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

size_t RootLength(std::string_view path) {
  if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':')
    return (path.size() >= 3 && IsSeparator(path[2])) ? 3 : 2;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    // "\\server\share\": the root ends after the share's name.
    size_t end = 2;
    for (int part = 0; part < 2; ++part) {
      const size_t start = end;
      while (end < path.size() && !IsSeparator(path[end])) ++end;
      if (end == start) return 0;
      if (end < path.size()) ++end;
    }
    return end;
  }
  return 0;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && !IsSeparator(path.back())) path += '\\';
  return path.append(name);
}

bool SameFolder(std::string_view a, std::string_view b) {
  return SameText(WithoutTrailingSeparator(a), WithoutTrailingSeparator(b));
}

std::string ZeroPadded(int value, std::size_t width) {
  std::string text(width, '0');
  unsigned rest = value > 0 ? static_cast<unsigned>(value) : 0;
  for (auto digit = text.rbegin(); digit != text.rend() && rest != 0; ++digit, rest /= 10) {
    *digit = static_cast<char>('0' + rest % 10);
  }
  return text;
}

std::string DateTimeText(const LocalTime& t) {
  return ZeroPadded(t.year, 4) + "-" + ZeroPadded(t.month, 2) + "-" + ZeroPadded(t.day, 2) + " " +
         ZeroPadded(t.hour, 2) + ":" + ZeroPadded(t.minute, 2) + ":" + ZeroPadded(t.second, 2);
}

std::string HourMinute(const LocalTime& t) {
  return ZeroPadded(t.hour, 2) + ":" + ZeroPadded(t.minute, 2);
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

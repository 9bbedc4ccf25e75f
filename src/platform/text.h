#pragma once
// Text and paths as Windows compares and joins them, and the times as the
// history and the notice write them: one place for each, so that every room
// of the program agrees. Paths are UTF-8 text in Windows form
// ("C:\Meteo\Station").

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace orvando {

// Equal, upper and lower case of the ASCII letters not told apart (file
// names and window titles as Windows compares them, for the names we know).
bool SameText(std::string_view a, std::string_view b);

// Length of the root at the start of `path` ("C:\", "C:" or
// "\\server\share\"), 0 when there is none.
size_t RootLength(std::string_view path);

// `folder` + "\" + `name`, without doubling a separator at a root; `name`
// alone when there is no folder.
std::string JoinPath(std::string_view folder, std::string_view name);

// Equal paths as Windows compares them: case not told apart, a trailing
// separator ignored.
bool SameFolder(std::string_view a, std::string_view b);

// The last `width` decimal digits of `value`, zero-padded on the left: 7 gives
// "07" and 2026 gives "26" at width 2. A negative value, which no clock field
// has, is written as zeros. Without the C library's printf: snprintf alone
// brings MinGW's whole printf engine (about 22 KB) into Orvando.exe.
std::string ZeroPadded(int value, std::size_t width);
// "2026-12-07 10:15:00"
std::string DateTimeText(const LocalTime& time);
// "10:15"
std::string HourMinute(const LocalTime& time);
// "vendredi 4 décembre"
std::string FrenchDayText(const LocalTime& time);

}  // namespace orvando

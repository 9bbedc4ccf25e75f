#pragma once
// The text of "Orvando.ini", without any I/O: the settings added since
// "Orvando.cfg", whose format older versions read strictly (they take any
// extra line for a damaged file). A classic ini file, UTF-8:
//   [SignalDeVie]
//   Adresse=https://hc-ping.com/...
// Section and key names are compared without case; spaces around names and
// values are dropped, and double quotes around a value; a line starting with
// ";" or "#" is a comment. A line this program doesn't know, and a byte-order
// mark, are kept as they are when a value is written.

#include <string>
#include <string_view>

namespace orvando::ini {

inline constexpr char kFileName[] = "Orvando.ini";
inline constexpr char kSignalSection[] = "SignalDeVie";
inline constexpr char kAddressKey[] = "Adresse";

// The value of `key` in `section`; false when there is none (the last one
// wins when the file holds several).
bool Value(std::string_view text, std::string_view section, std::string_view key,
           std::string& value);

// `text` with `key` of `section` set to `value`: the key's line replaced (or
// added, with its section when that is missing), every other line kept. An
// empty `value` removes the key. `value` must hold no line end.
std::string WithValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value);

}  // namespace orvando::ini

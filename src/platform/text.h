#pragma once
// Text and paths as Windows compares and joins them: one place for each, so
// that every room of the program agrees. Paths are UTF-8 text in Windows form
// ("C:\Meteo\Station").

#include <cstddef>
#include <string>
#include <string_view>

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

}  // namespace orvando

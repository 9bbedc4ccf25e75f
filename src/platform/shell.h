#pragma once
// The shell's "open": hands a text (a mail or web address) to whatever
// program the user's system associates with it, without waiting for it.

#include <cstdint>
#include <string>

namespace orvando {

class Shell {
 public:
  virtual ~Shell() = default;
  // `owner` is the window the shell may use as parent of anything it shows
  // (a window handle as an integer, 0 for none). Texts are UTF-8. What the
  // shell answers is deliberately not reported: a missing association must
  // not disturb the caller.
  virtual void Open(std::uintptr_t owner, const std::string& operation,
                    const std::string& text) = 0;
  // Opens a file of ours (the history) with the program the user's system
  // associates with it; the path may hold any character.
  virtual void OpenDocument(const std::string& path) = 0;
};

}  // namespace orvando

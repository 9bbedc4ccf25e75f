#pragma once
// The command Windows runs for this program at each sign-in: the value
// "Orvando" of HKCU\Software\Microsoft\Windows\CurrentVersion\Run.

#include <string>

#include "platform/outcome.h"

namespace orvando {

class StartupEntry {
 public:
  virtual ~StartupEntry() = default;
  // False when there is no such value. Text is UTF-8.
  virtual bool Read(std::string& command) const = 0;
  // A French error says what could not be done, and why.
  virtual Outcome Write(const std::string& command) = 0;
  virtual Outcome Remove() = 0;
};

}  // namespace orvando

#pragma once
// The command Windows runs for this program at each sign-in: the value
// "Orvando" of HKCU\Software\Microsoft\Windows\CurrentVersion\Run, and the
// switch Windows 8 and later keep beside it, which Task Manager's start-up
// list (and Paramètres, Applications, Démarrage) turns off.

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
  // True when the user turned the entry off in Windows' start-up list: the
  // value keeps its place, and Windows does not run it.
  virtual bool TurnedOff() const = 0;
  // Turns it on again; nothing to do where it is not turned off.
  virtual Outcome TurnOn() = 0;
  // Windows is set to open this user's session by itself after a restart
  // (automatic sign-in), so that the Run value runs with nobody at the PC.
  // Only read, never written; what can't be read counts as not set.
  virtual bool SignsInAutomatically() const = 0;
};

}  // namespace orvando

#pragma once
// "Démarrer avec Windows": the Run value that has Windows start Orvando at
// each sign-in, and the /start switch it passes, which arms the schedule as
// the Start button does.

#include <string>
#include <string_view>

#include "platform/startup_entry.h"
#include "platform/user_messages.h"

namespace orvando {

// True when `arguments` (the command line after the program's name) holds
// "/start" or "-start", in any case, quoted or not. Other arguments are
// ignored.
bool StartSwitchGiven(std::string_view arguments);

class StartWithWindows {
 public:
  // `program_file` is the full path of the running Orvando.exe.
  StartWithWindows(StartupEntry& entry, UserMessages& messages, std::string program_file);

  // The Run value names this program file (case not told apart) with the
  // /start switch, and the user has not turned it off in Windows' start-up
  // list. A value left by a copy that was moved names another one:
  // unchecked, and choosing the item writes it for this one.
  bool Checked() const;
  // Unchecked: writes the value for this program file and turns it on, and
  // says what a restart with nobody at the PC then needs when Windows is not
  // set to sign in by itself. Checked: removes it. A failure is told to the
  // user.
  void Toggle();
  // Whether Windows opens this session by itself after a restart, as "Aide"
  // says it.
  std::string SignInText() const;
  // The value as written: the quoted path, then " /start".
  std::string Command() const;

 private:
  StartupEntry& entry_;
  UserMessages& messages_;
  const std::string program_file_;
};

}  // namespace orvando

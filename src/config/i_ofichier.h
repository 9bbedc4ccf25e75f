#pragma once
// I_Ofichier: the settings file "Orvando.cfg" in the program's folder, and the
// two values it keeps from one run to the next.

#include <cstdint>
#include <string>

#include "config/config_format.h"
#include "platform/files.h"
#include "platform/user_messages.h"

namespace orvando {

// Implemented by the main window: selecting an interval option from the
// program runs its click handler, as a user's click does.
class OptionSelector {
 public:
  virtual ~OptionSelector() = default;
  virtual void SelectOption(int index) = 0;
};

class I_Ofichier {
 public:
  // `selector`, the main window, selects the option read; none: nothing is.
  I_Ofichier(Files& files, UserMessages& messages, OptionSelector* selector = nullptr);

  std::string CheminHW;    // HeavyWeather's folder, a full path; empty at start
  uint8_t IndexDuree = 0;  // index 0..4 of the interval option
  uint8_t RunMinutes = config::kDefaultRunMinutes;  // how long a run lasts: 2, 3, 5 or 10 minutes

  // The program's folder + "\" + "Orvando.cfg", joined as they are.
  std::string ConfigPath() const;
  // The file counts as present only as an ordinary file.
  bool ConfigPresent() const;

  // Writes the file from CheminHW, IndexDuree and RunMinutes. False when it
  // could not be written: the old file is left whole and the user has been
  // told.
  bool EcrireConfig();

  enum class ReadOutcome {
    Read,      // read as written; option IndexDuree selected
    Repaired,  // some values replaced (the user was told); option selected
    NoFolder,  // no folder could be read, or the file names none (the user
               // was told); no option selected: the caller goes on as on a
               // first start
    Busy,      // not read: another program holds it for the moment (a backup,
               // a sync, a virus scan at sign-in). Nothing was read, selected
               // or told; ReadError() says why. Try again later: it is not a
               // first start.
  };
  // Reads the file, then, once it is closed, selects option IndexDuree.
  ReadOutcome LireConfig();
  const std::string& ReadError() const { return read_error_; }

 private:
  bool AnsiFolder(std::string& ansi);
  std::string RepairText(const std::string& path, const config::ParsedConfig& parsed) const;

  Files& files_;
  UserMessages& messages_;
  OptionSelector* const selector_;
  std::string read_error_;  // why the last read was Busy
};

}  // namespace orvando

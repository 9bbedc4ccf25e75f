#pragma once
// The machine's drives and folders, as the installation window browses them.
// Paths are UTF-8 text in Windows form ("C:\Meteo\Station").

#include <string>
#include <vector>

namespace orvando {

struct Drive {
  char letter;       // lower case: 'c'
  std::string name;  // as Windows users know it: "c: [Système]", or "a:"
};

class Drives {
 public:
  virtual ~Drives() = default;

  // The drives present now, in letter order.
  virtual std::vector<Drive> List() const = 0;

  // True when the drive holds a readable medium (false for an empty card
  // reader or CD drive, or a network drive that is gone).
  virtual bool IsReadable(char letter) const = 0;

  // The folder Windows keeps as the drive's current one ("C:\Meteo"), or the
  // drive's root ("C:\") when it has none or that folder no longer exists.
  virtual std::string CurrentFolderOf(char letter) const = 0;

  // The names of the visible folders directly inside `folder`, in
  // alphabetical order, case not told apart. False when it can't be read.
  virtual bool Subfolders(const std::string& folder, std::vector<std::string>& names) const = 0;
};

}  // namespace orvando

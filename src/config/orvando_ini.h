#pragma once
// "Orvando.ini" beside Orvando.exe, and the one setting it keeps today: the
// address of the "signal de vie". Orvando.cfg is left as older versions read
// it; later settings go here.

#include <string>

#include "platform/files.h"
#include "platform/outcome.h"

namespace orvando {

class OrvandoIni {
 public:
  explicit OrvandoIni(Files& files) : files_(files) {}

  // The program's folder + "\Orvando.ini".
  std::string Path() const;

  // Reads the file. A missing file, or a missing key, leaves no address; a
  // file that exists but can't be read fails with the reason (French).
  Outcome Read();
  // Writes the address (an empty one removes its key), keeping every other
  // line as the file had it: a temporary file, then an atomic replace.
  Outcome Write(const std::string& address);

  const std::string& Address() const { return address_; }

 private:
  Files& files_;
  std::string address_;
};

}  // namespace orvando

#include "config/orvando_ini.h"

#include "config/ini_format.h"

namespace orvando {

std::string OrvandoIni::Path() const {
  return files_.ProgramFolder() + "\\" + ini::kFileName;
}

Outcome OrvandoIni::Read() {
  address_.clear();
  const std::string path = Path();
  if (files_.FileSize(path) < 0) return Outcome::Ok();
  std::string text;
  const Outcome read = files_.ReadBytes(path, text);
  if (!read) return read;
  ini::Value(text, ini::kSignalSection, ini::kAddressKey, address_);
  return Outcome::Ok();
}

// Read again first: the file may have been edited by hand since, and what
// is in it besides the address is the user's.
Outcome OrvandoIni::Write(const std::string& address) {
  const std::string path = Path();
  std::string text;
  if (files_.FileSize(path) >= 0) {
    const Outcome read = files_.ReadBytes(path, text);
    if (!read) return read;
  }
  text = ini::WithValue(text, ini::kSignalSection, ini::kAddressKey, address);
  const Outcome written = files_.ReplaceAtomically(path, text);
  if (!written) return written;
  address_ = address;
  return Outcome::Ok();
}

}  // namespace orvando

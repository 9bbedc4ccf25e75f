#include "fake_files.h"

namespace orvando::test {
namespace {

// Decodes UTF-8; false on a malformed sequence.
bool DecodeUtf8(const std::string& in, std::u32string& out) {
  for (size_t i = 0; i < in.size();) {
    const auto b = static_cast<unsigned char>(in[i]);
    const int extra = b < 0x80             ? 0
                      : (b & 0xE0) == 0xC0 ? 1
                      : (b & 0xF0) == 0xE0 ? 2
                      : (b & 0xF8) == 0xF0 ? 3
                                           : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= in.size()) return false;
    char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(in[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    out.push_back(cp);
    i += static_cast<size_t>(extra) + 1;
  }
  return true;
}

Outcome Refused(const std::string& path, const std::string& reason) {
  return Outcome::Fail("Impossible d'enregistrer le fichier « " + path + " » : " + reason + ".");
}

}  // namespace

bool FakeFiles::IsOrdinaryFile(const std::string& path) const {
  const auto it = files.find(path);
  return it != files.end() && !it->second.hidden && !it->second.system && !it->second.folder;
}

Outcome FakeFiles::ReadBytes(const std::string& path, std::string& bytes) const {
  const auto it = files.find(path);
  if (it == files.end() || it->second.folder)
    return Outcome::Fail("Impossible de lire le fichier « " + path + " » : fichier introuvable.");
  if (it->second.locked || (clock && clock->MonotonicMs() < it->second.locked_until_ms)) {
    return Outcome::Fail(
        "Impossible de lire le fichier « " + path + " » : il est utilisé par un autre processus.",
        true);
  }
  bytes = it->second.bytes;
  return Outcome::Ok();
}

Outcome FakeFiles::ReplaceAtomically(const std::string& path, const std::string& bytes) {
  ++replace_calls;
  const auto it = files.find(path);
  if (it != files.end()) {
    if (it->second.folder) return Refused(path, "c'est un dossier");
    if (it->second.read_only) return Refused(path, "accès refusé");
    if (it->second.locked || (clock && clock->MonotonicMs() < it->second.locked_until_ms)) {
      return Refused(path, "il est utilisé par un autre processus");
    }
  }
  if (fail_before_replace) return Refused(path, "espace insuffisant sur le disque");
  FakeFile& file = files[path];
  file = FakeFile{};  // the moved temporary file has ordinary attributes
  file.bytes = bytes;
  replaced.push_back(bytes);
  return Outcome::Ok();
}

int64_t FakeFiles::FileSize(const std::string& path) const {
  const auto it = files.find(path);
  if (it == files.end() || it->second.folder) return -1;
  return static_cast<int64_t>(it->second.bytes.size());
}

Outcome FakeFiles::AppendBytes(const std::string& path, const std::string& bytes) {
  const auto it = files.find(path);
  if (fail_appends || (it != files.end() && (it->second.read_only || it->second.folder)))
    return Refused(path, "accès refusé");
  files[path].bytes += bytes;
  return Outcome::Ok();
}

Outcome FakeFiles::MoveReplacing(const std::string& from, const std::string& to) {
  const auto it = files.find(from);
  if (it == files.end()) return Refused(to, "fichier introuvable");
  files[to] = it->second;
  files.erase(from);
  return Outcome::Ok();
}

bool FakeFiles::ToAnsi(const std::string& utf8, std::string& ansi) const {
  std::u32string text;
  if (!DecodeUtf8(utf8, text)) return false;
  std::string out;
  for (const char32_t cp : text) {
    if (cp > 0xFF) return false;
    out.push_back(static_cast<char>(cp));
  }
  ansi = std::move(out);
  return true;
}

std::string FakeFiles::FromAnsi(const std::string& ansi) const {
  std::string out;
  for (const char c : ansi) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out.push_back(c);
    } else {
      out.push_back(static_cast<char>(0xC0 | (b >> 6)));
      out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
  }
  return out;
}

bool FakeFiles::ShortPath(const std::string& path, std::string& short_path) const {
  const auto it = short_paths.find(path);
  if (it == short_paths.end()) return false;
  short_path = it->second;
  return true;
}

std::string FakeFiles::Content(const std::string& path) const {
  return IsOrdinaryFile(path) ? files.at(path).bytes : "<absent>";
}

}  // namespace orvando::test

#pragma once
// What the core needs from the file system. Paths are UTF-8 text in Windows
// form ("C:\Meteo\Station").

#include <cstdint>
#include <string>

#include "platform/outcome.h"

namespace orvando {

class Files {
 public:
  virtual ~Files() = default;

  // The folder that holds the running program file, as Windows reports it:
  // no trailing separator, except at the root of a drive ("C:\").
  virtual std::string ProgramFolder() const = 0;

  // True when `path` names an ordinary file: hidden files, system files and
  // folders don't count.
  virtual bool IsOrdinaryFile(const std::string& path) const = 0;

  // The whole content of a file.
  virtual Outcome ReadBytes(const std::string& path, std::string& bytes) const = 0;

  // Replaces the content of `path` atomically: a temporary file in the same
  // folder, flushed, then moved over the old one. On failure the old file is
  // left whole.
  virtual Outcome ReplaceAtomically(const std::string& path, const std::string& bytes) = 0;

  // The size of a file in bytes; -1 when there is none.
  virtual int64_t FileSize(const std::string& path) const = 0;
  // Adds `bytes` at the end of `path` (created when missing) and closes it
  // at once: nothing is kept open, nothing waits or retries.
  virtual Outcome AppendBytes(const std::string& path, const std::string& bytes) = 0;
  // Renames `from` to `to`, replacing a file of that name.
  virtual Outcome MoveReplacing(const std::string& from, const std::string& to) = 0;

  // The system ANSI code page. ToAnsi fails when a character has no exact
  // equivalent (the text would read back as something else).
  virtual bool ToAnsi(const std::string& utf8, std::string& ansi) const = 0;
  virtual std::string FromAnsi(const std::string& ansi) const = 0;

  // The short (8.3) form of an existing path, when Windows has one.
  virtual bool ShortPath(const std::string& path, std::string& short_path) const = 0;
};

}  // namespace orvando

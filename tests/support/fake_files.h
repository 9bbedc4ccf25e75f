#pragma once
// An in-memory file system for core tests: files with their attributes, the
// failures a real disk can give, and an ANSI code page that is Latin-1 (one
// byte for U+0000..U+00FF, nothing above).

#include <map>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"

namespace orvando::test {

struct FakeFile {
  std::string bytes;
  bool hidden = false;
  bool system = false;
  bool folder = false;
  bool read_only = false;  // can be read, not replaced
  bool locked = false;     // held open without sharing: neither read nor replaced
  // Held so by another program until this time on `FakeFiles::clock`
  // (monotonic ms): a backup or a virus scan at sign-in.
  int64_t locked_until_ms = 0;
};

class FakeFiles : public Files {
 public:
  std::string ProgramFolder() const override { return program_folder; }
  bool IsOrdinaryFile(const std::string& path) const override;
  Outcome ReadBytes(const std::string& path, std::string& bytes) const override;
  Outcome ReplaceAtomically(const std::string& path, const std::string& bytes) override;
  int64_t FileSize(const std::string& path) const override;
  Outcome AppendBytes(const std::string& path, const std::string& bytes) override;
  Outcome MoveReplacing(const std::string& from, const std::string& to) override;
  bool ToAnsi(const std::string& utf8, std::string& ansi) const override;
  std::string FromAnsi(const std::string& ansi) const override;
  bool ShortPath(const std::string& path, std::string& short_path) const override;

  // The bytes of an ordinary file, or "<absent>".
  std::string Content(const std::string& path) const;

  std::string program_folder = "C:\\Orvando";
  const Clock* clock = nullptr;                    // for locked_until_ms
  std::map<std::string, FakeFile> files;           // by exact path
  std::map<std::string, std::string> short_paths;  // long path -> 8.3 form
  // When set, every replace fails once the temporary file is written and
  // before it is moved over the old one (a crash or a full disk there).
  bool fail_before_replace = false;
  int replace_calls = 0;
  // When set, every append fails (a full disk, a read-only folder).
  bool fail_appends = false;
  std::vector<std::string> replaced;  // the bytes of each replace that went through
};

}  // namespace orvando::test

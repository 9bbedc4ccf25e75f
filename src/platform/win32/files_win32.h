#pragma once
// The file system as the settings file needs it, on Windows.

#include <string>

#include "platform/files.h"

namespace orvando::win32 {

// The folder of a program file's full path, as ProgramFolder reports it: no
// trailing separator, except at the root of a drive ("C:\").
std::string FolderOfModule(const std::wstring& module_path);

class Win32Files : public Files {
 public:
  // The full path of the running program file.
  std::string ProgramFile() const;
  std::string ProgramFolder() const override;
  bool IsOrdinaryFile(const std::string& path) const override;
  Outcome ReadBytes(const std::string& path, std::string& bytes) const override;
  Outcome ReplaceAtomically(const std::string& path, const std::string& bytes) override;
  int64_t FileSize(const std::string& path) const override;
  Outcome AppendBytes(const std::string& path, const std::string& bytes) override;
  Outcome MoveReplacing(const std::string& from, const std::string& to) override;
  bool ToAnsi(const std::string& utf8, std::string& ansi) const override;
  std::string FromAnsi(const std::string& ansi) const override;
  bool ShortPath(const std::string& path, std::string& short_path) const override;
};

}  // namespace orvando::win32

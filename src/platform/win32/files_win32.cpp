#include "platform/win32/files_win32.h"

#include <windows.h>

#include <vector>

#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {
namespace {

// The settings file is a few dozen bytes; anything this big is not one, and
// reading it whole would only cost memory.
constexpr LONGLONG kMaxReadBytes = 1 << 20;

// A file held open by another program (an editor, a virus scanner) is often
// released within moments: try the replace a few times before giving up.
constexpr int kReplaceAttempts = 5;
constexpr DWORD kReplacePauseMs = 100;

std::string Named(const std::string& path) {
  return "« " + path + " »";
}

// Held open by another program for a moment (a backup, a sync, a virus scan).
bool Transient(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

Outcome ReadFailure(const std::string& path, DWORD error) {
  return Outcome::Fail(
      "Impossible de lire le fichier " + Named(path) + " : " + ErrorText(error) + ".",
      Transient(error));
}

Outcome WriteFailure(const std::string& path, const std::string& reason) {
  return Outcome::Fail("Impossible d'enregistrer le fichier " + Named(path) + " : " + reason + ".");
}

// The folder part of a path, with its separator: "C:\Meteo\" or "C:\".
std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L".\\" : path.substr(0, slash + 1);
}

// Writes `bytes` to the new file `temp` and flushes it to the disk.
bool WriteFlushed(const std::wstring& temp, const std::string& bytes, DWORD& error) {
  UniqueHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = GetLastError();
    return false;
  }
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size() || !FlushFileBuffers(file.get())) {
    error = GetLastError();
    return false;
  }
  return true;
}

// Moves `temp` over `target`, retrying briefly while the target is held open.
bool MoveOver(const std::wstring& temp, const std::wstring& target, DWORD& error) {
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(temp.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    error = GetLastError();
    if (attempt == kReplaceAttempts || !Transient(error)) return false;
    Sleep(kReplacePauseMs);
  }
}

}  // namespace

std::string FolderOfModule(const std::wstring& module_path) {
  std::wstring folder = module_path.substr(0, module_path.find_last_of(L'\\') + 1);
  // "C:\Meteo\" -> "C:\Meteo", but the root keeps its separator: "C:\".
  if (folder.size() > 1 && folder[folder.size() - 2] != L':') folder.pop_back();
  return Narrow(folder);
}

namespace {

std::wstring ModulePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size()) return std::wstring(buffer.data(), n);
    buffer.resize(buffer.size() * 2);  // the path was cut short
  }
}

}  // namespace

std::string Win32Files::ProgramFile() const {
  return Narrow(ModulePath());
}

std::string Win32Files::ProgramFolder() const {
  return FolderOfModule(ModulePath());
}

bool Win32Files::IsOrdinaryFile(const std::string& path) const {
  WIN32_FIND_DATAW data;
  UniqueFind find(FindFirstFileW(Widen(path).c_str(), &data));
  if (!find) return false;
  const DWORD excluded = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
  return (data.dwFileAttributes & excluded) == 0 && data.cFileName[0] != L'\0';
}

Outcome Win32Files::ReadBytes(const std::string& path, std::string& bytes) const {
  UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return ReadFailure(path, GetLastError());
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return ReadFailure(path, GetLastError());
  if (size.QuadPart > kMaxReadBytes) {
    return Outcome::Fail("Impossible de lire le fichier " + Named(path) +
                         " : le fichier est trop volumineux.");
  }
  std::string content(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!content.empty() &&
      !ReadFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &read, nullptr))
    return ReadFailure(path, GetLastError());
  content.resize(read);
  bytes = std::move(content);
  return Outcome::Ok();
}

// A temporary file in the same folder (so the move stays on one volume and
// is a rename), written and flushed, then moved over the old file. Until the
// move the old file is untouched; a failure removes the temporary file.
Outcome Win32Files::ReplaceAtomically(const std::string& path, const std::string& bytes) {
  const std::wstring target = Widen(path);
  // Refuse a read-only file plainly: not every file system refuses the move.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    return WriteFailure(path, ErrorText(ERROR_ACCESS_DENIED));
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return WriteFailure(path, "c'est un dossier");

  wchar_t temp[MAX_PATH + 1];
  if (!GetTempFileNameW(FolderOf(target).c_str(), L"orv", 0, temp))
    return WriteFailure(path, ErrorText(GetLastError()));
  DWORD error = 0;
  if (WriteFlushed(temp, bytes, error) && MoveOver(temp, target, error)) return Outcome::Ok();
  DeleteFileW(temp);
  return WriteFailure(path, ErrorText(error));
}

int64_t Win32Files::FileSize(const std::string& path) const {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Shared every way, so that an editor showing the file never stops a write,
// and a write never stops the editor.
Outcome Win32Files::AppendBytes(const std::string& path, const std::string& bytes) {
  UniqueHandle file(CreateFileW(Widen(path).c_str(), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return WriteFailure(path, ErrorText(GetLastError()));
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    return WriteFailure(path, ErrorText(GetLastError()));
  return Outcome::Ok();
}

Outcome Win32Files::MoveReplacing(const std::string& from, const std::string& to) {
  if (MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING))
    return Outcome::Ok();
  return WriteFailure(to, ErrorText(GetLastError()));
}

bool Win32Files::ToAnsi(const std::string& utf8, std::string& ansi) const {
  return ToAnsiExact(utf8, ansi);
}

std::string Win32Files::FromAnsi(const std::string& ansi) const {
  return win32::FromAnsi(ansi);
}

bool Win32Files::ShortPath(const std::string& path, std::string& short_path) const {
  const std::wstring wide = Widen(path);
  const DWORD n = GetShortPathNameW(wide.c_str(), nullptr, 0);
  if (n == 0) return false;
  std::vector<wchar_t> buffer(n);
  const DWORD length = GetShortPathNameW(wide.c_str(), buffer.data(), n);
  if (length == 0 || length >= n) return false;
  short_path = Narrow(buffer.data(), static_cast<int>(length));
  return true;
}

}  // namespace orvando::win32

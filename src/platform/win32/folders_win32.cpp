#include "platform/win32/folders_win32.h"

#include <windows.h>

#include <vector>

#include "platform/text.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {
namespace {

// In full, with its long names ("PROGRA~2" is "Program Files (x86)").
std::wstring FullPathOf(const std::wstring& path) {
  const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return {};
  std::vector<wchar_t> buffer(n);
  const DWORD length = GetFullPathNameW(path.c_str(), n, buffer.data(), nullptr);
  if (length == 0 || length >= n) return {};
  std::wstring full(buffer.data(), length);
  const DWORD long_n = GetLongPathNameW(full.c_str(), nullptr, 0);
  std::vector<wchar_t> long_name(long_n + 1);
  const DWORD long_length = long_n ? GetLongPathNameW(full.c_str(), long_name.data(), long_n) : 0;
  if (long_length > 0 && long_length < long_n) full.assign(long_name.data(), long_length);
  // "C:\Meteo\" -> "C:\Meteo"; the root keeps its separator.
  while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  return full;
}

}  // namespace

Outcome Win32Folders::FullFolder(const std::string& folder, std::string& full) const {
  const std::wstring path = FullPathOf(Widen(folder));
  const DWORD attributes =
      path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    const DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_DIRECTORY;
    return Outcome::Fail("Impossible d'ouvrir le dossier \xC2\xAB " + folder +
                         " \xC2\xBB : " + ErrorText(error ? error : ERROR_PATH_NOT_FOUND) + ".");
  }
  full = Narrow(path);
  return Outcome::Ok();
}

namespace {

int64_t Joined(DWORD high, DWORD low) {
  return (static_cast<int64_t>(high) << 32) | low;
}

std::string CouldNotRead(const std::string& folder, DWORD error) {
  return "le dossier \xC2\xAB " + folder + " \xC2\xBB n'a pas pu \xC3\xAAtre lu (" +
         ErrorText(error) + ")";
}

}  // namespace

// A folder that can't be read must not look like one where nothing changed:
// an empty list is only what an empty folder gives.
FolderListing Win32Folders::FilesIn(const std::string& folder, size_t most) const {
  FolderListing listing;
  const QuietDriveErrors quiet;
  WIN32_FIND_DATAW data;
  UniqueFind find(FindFirstFileExW(Widen(JoinPath(folder, "*")).c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, 0));
  if (!find) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return listing;  // an empty root: no "." even
    listing.state = error == ERROR_PATH_NOT_FOUND ? FolderListing::State::Missing
                                                  : FolderListing::State::Failed;
    listing.error = CouldNotRead(folder, error);
    return listing;
  }
  const std::wstring prefix = Widen(JoinPath(folder, ""));
  for (size_t looked = 1; looked <= most; ++looked) {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      // The folder's own entry may lag behind a file still open for
      // writing: the file itself is asked, and the entry serves if it can't.
      WIN32_FILE_ATTRIBUTE_DATA now;
      if (GetFileAttributesExW((prefix + data.cFileName).c_str(), GetFileExInfoStandard, &now)) {
        data.nFileSizeHigh = now.nFileSizeHigh;
        data.nFileSizeLow = now.nFileSizeLow;
        data.ftLastWriteTime = now.ftLastWriteTime;
      }
      listing.files.push_back(
          {Narrow(data.cFileName), Joined(data.nFileSizeHigh, data.nFileSizeLow),
           Joined(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)});
    }
    if (!FindNextFileW(find.get(), &data)) {
      const DWORD error = GetLastError();
      if (error != ERROR_NO_MORE_FILES) {
        listing.state = FolderListing::State::Failed;
        listing.error = CouldNotRead(folder, error);
      }
      break;
    }
  }
  return listing;
}

bool Win32Folders::StampOf(const std::string& folder, const std::string& name,
                           FileStamp& stamp) const {
  const QuietDriveErrors quiet;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Widen(JoinPath(folder, name)).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return false;
  }
  stamp = {name, Joined(data.nFileSizeHigh, data.nFileSizeLow),
           Joined(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
  return true;
}

std::string Win32Folders::LocalAppData() const {
  wchar_t folder[MAX_PATH];
  const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", folder, MAX_PATH);
  return n > 0 && n < MAX_PATH ? Narrow(folder, static_cast<int>(n)) : std::string();
}

std::string Win32Folders::CurrentFolder() const {
  const DWORD n = GetCurrentDirectoryW(0, nullptr);
  std::vector<wchar_t> buffer(n + 1);
  const DWORD len = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
  return Narrow(buffer.data(), static_cast<int>(len));
}

}  // namespace orvando::win32

#include "platform/win32/drives_win32.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {
namespace {

std::wstring Root(char letter) {
  return {static_cast<wchar_t>(towupper(static_cast<wchar_t>(letter))), L':', L'\\'};
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The volume's label, except on removable drives: reading it would make a
// floppy drive spin up each time the window opens.
std::wstring Label(const std::wstring& root) {
  if (GetDriveTypeW(root.c_str()) == DRIVE_REMOVABLE) return {};
  wchar_t label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                             0))
    return {};
  return label;
}

}  // namespace

std::vector<Drive> Win32Drives::List() const {
  QuietDriveErrors quiet;
  std::vector<Drive> drives;
  const DWORD present = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(present & (1u << i))) continue;
    const char letter = static_cast<char>('a' + i);
    std::string name = std::string(1, letter) + ":";
    const std::wstring label = Label(Root(letter));
    if (!label.empty()) name += " [" + Narrow(label) + "]";
    drives.push_back({letter, name});
  }
  return drives;
}

bool Win32Drives::IsReadable(char letter) const {
  QuietDriveErrors quiet;
  return IsFolder(Root(letter));
}

std::string Win32Drives::CurrentFolderOf(char letter) const {
  // "X:" alone resolves to the folder Windows keeps as that drive's current
  // one (the hidden "=X:" variable), or its root.
  const std::wstring root = Root(letter);
  const std::wstring drive = root.substr(0, 2);
  wchar_t buffer[MAX_PATH * 4];
  const DWORD n = GetFullPathNameW(drive.c_str(), MAX_PATH * 4, buffer, nullptr);
  QuietDriveErrors quiet;
  if (n == 0 || n >= MAX_PATH * 4) return Narrow(root);
  std::wstring folder(buffer, n);
  // Wine answers with a trailing separator; Windows' own form has none.
  while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
  if (!IsFolder(folder)) return Narrow(root);
  return Narrow(folder);
}

bool Win32Drives::Subfolders(const std::string& folder, std::vector<std::string>& names) const {
  QuietDriveErrors quiet;
  std::wstring pattern = Widen(folder);
  if (pattern.empty()) return false;
  if (pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW data;
  UniqueFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                   FindExSearchLimitToDirectories, nullptr, 0));
  if (!find) return false;
  std::vector<std::wstring> found;
  do {
    const std::wstring name = data.cFileName;
    // Hidden folders stay out of the list, as Explorer leaves them out.
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) || name == L"." || name == L"..")
      continue;
    found.push_back(name);
  } while (FindNextFileW(find.get(), &data));
  std::sort(found.begin(), found.end(), [](const std::wstring& a, const std::wstring& b) {
    return CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1,
                           nullptr, nullptr, 0) == CSTR_LESS_THAN;
  });
  names.clear();
  for (const auto& name : found) names.push_back(Narrow(name));
  return true;
}

}  // namespace orvando::win32

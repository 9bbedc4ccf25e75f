#include "platform/win32/folders_win32.h"

#include <windows.h>

#include <vector>

#include "platform/win32/text_win32.h"

namespace orvando::win32 {

Outcome Win32Folders::SetCurrentFolder(const std::string& folder) {
  // SetCurrentDirectoryW changes drive and folder together. Like the C
  // runtime's _wchdir, we also record the folder as that drive's current one
  // (the "=C:" variable): SetCurrentDirectoryW itself only reads it, and a
  // later "C:" alone (GetFullPathNameW) must come back to this folder.
  if (!SetCurrentDirectoryW(Widen(folder).c_str())) {
    const DWORD error = GetLastError();
    return Outcome::Fail("Impossible d'ouvrir le dossier \xC2\xAB " + folder + " \xC2\xBB : " +
                         ErrorText(error) + ".");
  }
  const std::string current = CurrentFolder();
  if (current.size() >= 2 && current[1] == ':') {
    const wchar_t name[] = {L'=', static_cast<wchar_t>(towupper(static_cast<wchar_t>(current[0]))),
                            L':', L'\0'};
    SetEnvironmentVariableW(name, Widen(current).c_str());
  }
  return Outcome::Ok();
}

std::string Win32Folders::CurrentFolder() const {
  const DWORD n = GetCurrentDirectoryW(0, nullptr);
  std::vector<wchar_t> buffer(n + 1);
  const DWORD len = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
  return Narrow(buffer.data(), static_cast<int>(len));
}

}  // namespace orvando::win32

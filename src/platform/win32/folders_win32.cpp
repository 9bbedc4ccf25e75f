#include "platform/win32/folders_win32.h"

#include <windows.h>

#include <vector>

#include "platform/win32/text_win32.h"

namespace orvando::win32 {

Outcome Win32Folders::SetCurrentFolder(const std::string& folder) {
  // SetCurrentDirectoryW changes drive and folder together; it also records
  // the folder as that drive's current one ("=C:" variable).
  if (!SetCurrentDirectoryW(Widen(folder).c_str())) {
    const DWORD error = GetLastError();
    return Outcome::Fail("Impossible d'ouvrir le dossier \xC2\xAB " + folder + " \xC2\xBB : " +
                         ErrorText(error) + ".");
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

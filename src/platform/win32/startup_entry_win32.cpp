#include "platform/win32/startup_entry_win32.h"

#include <windows.h>

#include <vector>

#include "platform/win32/text_win32.h"

namespace orvando::win32 {
namespace {

constexpr const char* kWhere =
    "la valeur « Orvando » de la clé du registre "
    "« HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run »";

Outcome Failure(const char* what, LSTATUS status) {
  return Outcome::Fail(std::string("Impossible ") + what + " " + kWhere + " : " +
                       ErrorText(static_cast<DWORD>(status)) + ".");
}

}  // namespace

bool Win32StartupEntry::Read(std::string& command) const {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  DWORD type = 0, size = 0;
  LSTATUS status = RegQueryValueExW(key, kRunValue, nullptr, &type, nullptr, &size);
  std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
  if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
    status = RegQueryValueExW(key, kRunValue, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                              &size);
  } else {
    status = ERROR_FILE_NOT_FOUND;
  }
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return false;
  text.resize(size / sizeof(wchar_t) + 1);  // the value may lack its final null
  if (type == REG_EXPAND_SZ) {
    wchar_t expanded[2048];
    const DWORD n = ExpandEnvironmentStringsW(text.data(), expanded, 2048);
    if (n == 0 || n > 2048) return false;
    command = Narrow(expanded);
    return true;
  }
  command = Narrow(text.data());
  return true;
}

Outcome Win32StartupEntry::Write(const std::string& command) {
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE,
                                   nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return Failure("d'écrire", status);
  const std::wstring text = Widen(command);
  status = RegSetValueExW(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? Outcome::Ok() : Failure("d'écrire", status);
}

Outcome Win32StartupEntry::Remove() {
  HKEY key = nullptr;
  LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key);
  if (status == ERROR_SUCCESS) {
    status = RegDeleteValueW(key, kRunValue);
    RegCloseKey(key);
  }
  if (status == ERROR_FILE_NOT_FOUND) return Outcome::Ok();  // nothing left to remove
  return status == ERROR_SUCCESS ? Outcome::Ok() : Failure("de supprimer", status);
}

}  // namespace orvando::win32

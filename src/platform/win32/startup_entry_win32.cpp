#include "platform/win32/startup_entry_win32.h"

#include <windows.h>

#include <vector>

#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {
namespace {

Outcome Failure(const char* what, const wchar_t* key, LSTATUS status) {
  return Outcome::Fail(std::string("Impossible ") + what +
                       " la valeur « Orvando » de la clé du registre « HKEY_CURRENT_USER\\" +
                       Narrow(key) + " » : " + ErrorText(static_cast<DWORD>(status)) + ".");
}

UniqueRegKey OpenKey(const wchar_t* key, REGSAM access, LSTATUS& status) {
  HKEY opened = nullptr;
  status = RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, access, &opened);
  return UniqueRegKey(status == ERROR_SUCCESS ? opened : nullptr);
}

// Removes the value; one that is not there is removed already.
Outcome RemoveValue(const wchar_t* key_name) {
  LSTATUS status = ERROR_SUCCESS;
  const UniqueRegKey key = OpenKey(key_name, KEY_SET_VALUE, status);
  if (key) status = RegDeleteValueW(key.get(), kRunValue);
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return Outcome::Ok();
  return Failure("de supprimer", key_name, status);
}

}  // namespace

bool Win32StartupEntry::Read(std::string& command) const {
  LSTATUS status = ERROR_SUCCESS;
  const UniqueRegKey key = OpenKey(kRunKey, KEY_QUERY_VALUE, status);
  if (!key) return false;
  DWORD type = 0, size = 0;
  status = RegQueryValueExW(key.get(), kRunValue, nullptr, &type, nullptr, &size);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
  status = RegQueryValueExW(key.get(), kRunValue, nullptr, &type,
                            reinterpret_cast<BYTE*>(text.data()), &size);
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
  HKEY created = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE,
                                   nullptr, &created, nullptr);
  const UniqueRegKey key(status == ERROR_SUCCESS ? created : nullptr);
  if (!key) return Failure("d'écrire", kRunKey, status);
  const std::wstring text = Widen(command);
  status =
      RegSetValueExW(key.get(), kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  return status == ERROR_SUCCESS ? Outcome::Ok() : Failure("d'écrire", kRunKey, status);
}

Outcome Win32StartupEntry::Remove() {
  return RemoveValue(kRunKey);
}

bool Win32StartupEntry::TurnedOff() const {
  LSTATUS status = ERROR_SUCCESS;
  const UniqueRegKey key = OpenKey(kApprovedKey, KEY_QUERY_VALUE, status);
  if (!key) return false;  // Windows 7, or never switched
  BYTE data[64] = {};
  DWORD type = 0, size = sizeof data;
  status = RegQueryValueExW(key.get(), kRunValue, nullptr, &type, data, &size);
  return status == ERROR_SUCCESS && type == REG_BINARY && size > 0 && (data[0] & 1) != 0;
}

Outcome Win32StartupEntry::TurnOn() {
  return RemoveValue(kApprovedKey);
}

}  // namespace orvando::win32

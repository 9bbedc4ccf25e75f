#include "platform/win32/startup_entry_win32.h"

#include <windows.h>

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

// A text value (REG_SZ, or REG_EXPAND_SZ expanded); false when there is none.
bool StringValue(HKEY root, const wchar_t* key, const wchar_t* name, std::wstring& value) {
  wchar_t text[2048];
  DWORD size = sizeof text;
  if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
    return false;
  }
  value = text;
  return true;
}

}  // namespace

bool Win32StartupEntry::Read(std::string& command) const {
  std::wstring value;
  if (!StringValue(HKEY_CURRENT_USER, kRunKey, kRunValue, value)) return false;
  command = Narrow(value);
  return true;
}

// The user named without a domain ("DOMAINE\jean", "jean@domaine.fr"): the
// domain is Windows' business, the account ours.
bool Win32StartupEntry::SignsInAutomatically() const {
  std::wstring on, user;
  if (!StringValue(HKEY_LOCAL_MACHINE, kWinlogonKey, L"AutoAdminLogon", on) || on != L"1" ||
      !StringValue(HKEY_LOCAL_MACHINE, kWinlogonKey, L"DefaultUserName", user)) {
    return false;
  }
  const size_t name = user.find_last_of(L'\\') + 1;  // 0 without a domain
  const size_t at = user.find(L'@', name);
  const int length = static_cast<int>((at == std::wstring::npos ? user.size() : at) - name);
  wchar_t me[257];
  DWORD size = 257;
  return GetUserNameW(me, &size) &&
         CompareStringOrdinal(user.c_str() + name, length, me, -1, TRUE) == CSTR_EQUAL;
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

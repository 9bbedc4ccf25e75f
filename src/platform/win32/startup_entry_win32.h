#pragma once
// The Run value "Orvando" in the user's own part of the registry: no rights
// beyond the user's are needed to write it.

#include "platform/startup_entry.h"

namespace orvando::win32 {

inline constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Windows 8 and later: a binary value of the same name, whose first byte is
// odd (03) while the entry is turned off, even (02) once turned on again.
// Windows 7 has no such key.
inline constexpr const wchar_t* kApprovedKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr const wchar_t* kRunValue = L"Orvando";
// Automatic sign-in, as netplwiz and Sysinternals Autologon set it: the
// value AutoAdminLogon "1", and DefaultUserName the user it signs in.
inline constexpr const wchar_t* kWinlogonKey =
    L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

class Win32StartupEntry : public StartupEntry {
 public:
  bool Read(std::string& command) const override;
  Outcome Write(const std::string& command) override;
  Outcome Remove() override;
  bool TurnedOff() const override;
  Outcome TurnOn() override;
  bool SignsInAutomatically() const override;
};

}  // namespace orvando::win32

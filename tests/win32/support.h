#pragma once
// Helpers shared by the tests with real windows under Wine: running this
// thread's messages while waiting for something, reading a control's font,
// the local test server, Wine itself, and environment variables that are put
// back whatever assertion fails.

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace orvando::test {

namespace fs = std::filesystem;

// Runs the messages waiting now, as the program's loop does.
void Pump();
// Runs messages until `done` holds; false once `ms` have passed.
bool PumpUntil(const std::function<bool()>& done, int ms = 10000);
// Runs messages for `ms`, where there is nothing to watch for (keys typed on
// their way to a window).
void PumpFor(int ms);

// The font a control draws with.
LOGFONTW FontOf(HWND control);

// Wine's answers differ from Windows' in a few places.
bool UnderWine();

// A Unix path of the build, as Wine sees it.
std::wstring WinePath(const char* unix_path);

// The local test server (tests/support/http_server.py, which the CTest
// fixture Win32Http_Server starts): a file it writes, and an address on one
// of its ports, "http", "https" or "refused". No proxy comes in between.
fs::path ServerFile(const std::string& name);
std::string ServerBytes(const std::string& name);
std::string ServerUrl(const std::string& port_of, const std::string& path);

// An environment variable set for as long as the scope lasts (null: unset),
// then put back as it was.
class ScopedEnv {
 public:
  ScopedEnv(const wchar_t* name, const wchar_t* value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::wstring name_;
  std::optional<std::wstring> before_;
};

}  // namespace orvando::test

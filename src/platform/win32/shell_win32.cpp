#include "platform/win32/shell_win32.h"

#include <windows.h>

#include "platform/win32/dyn_calls_win32.h"
#include "platform/win32/text_win32.h"

namespace orvando::win32 {

void Win32Shell::Open(std::uintptr_t owner, const std::string& operation, const std::string& text) {
  const std::string ansi_operation = ToAnsi(operation);
  const std::string ansi_text = ToAnsi(text);
  // The shell may hand the text to a COM extension: COM is set up the first
  // time a link is used, and stays up for the rest of the run.
  if (!com_) com_ = std::make_unique<ComScope>();
  // The shell returns at once; a missing association is not reported.
  if (auto shell_execute = ShellCalls().ShellExecuteA) {
    shell_execute(reinterpret_cast<HWND>(owner), ansi_operation.c_str(), ansi_text.c_str(), nullptr,
                  nullptr, SW_SHOWNORMAL);
  }
}

void Win32Shell::OpenDocument(const std::string& path) {
  if (!com_) com_ = std::make_unique<ComScope>();
  if (auto shell_execute = ShellCalls().ShellExecuteW) {
    shell_execute(nullptr, L"open", Widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
}

}  // namespace orvando::win32

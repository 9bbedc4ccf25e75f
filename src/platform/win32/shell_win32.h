#pragma once
#include <memory>

#include "platform/shell.h"
#include "platform/win32/dyn_calls_win32.h"

namespace orvando::win32 {

// ShellExecuteA with the texts in the system's ANSI code page, no parameters,
// no directory and a normal window.
class Win32Shell : public Shell {
 public:
  void Open(std::uintptr_t owner, const std::string& operation, const std::string& text) override;
  void OpenDocument(const std::string& path) override;

 private:
  std::unique_ptr<ComScope> com_;
};

}  // namespace orvando::win32

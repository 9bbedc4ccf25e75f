#pragma once
#include "platform/shell.h"

namespace orvando::win32 {

// ShellExecuteA with the texts in the system's ANSI code page, no parameters,
// no directory and a normal window.
class Win32Shell : public Shell {
 public:
  void Open(std::uintptr_t owner, const std::string& operation, const std::string& text) override;

 private:
  bool com_ready_ = false;
};

}  // namespace orvando::win32

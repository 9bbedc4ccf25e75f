#pragma once
// The station platform on Windows: CreateProcessW, the desktop's top-level
// windows, PostMessageW and SendInput.

#include <utility>
#include <vector>

#include "platform/station.h"
#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {

class Win32Station : public StationPlatform {
 public:
  Outcome StartProgram(const std::string& program, const std::string& folder, int show_state,
                       ProcessId& process) override;
  std::vector<WindowHandle> WindowsTitled(const std::string& title) const override;
  bool PostToWindow(WindowHandle window, uint32_t message, uint64_t wparam,
                    int64_t lparam) override;
  WindowHandle ForegroundWindow() const override;
  ProcessId WindowProcess(WindowHandle window) const override;
  bool ProgramOf(ProcessId process, std::string& program) const override;
  bool IsMinimised(WindowHandle window) const override;
  bool IsBox(WindowHandle window) const override;
  void Minimise(WindowHandle window) override;
  std::vector<ShownWindow> WindowsShownBy(ProcessId process) const override;
  bool SendKeys(std::span<const KeyEvent> keys) override;
  bool Follow(ProcessId process) override;
  bool Ended(ProcessId process) const override;
  void Release(ProcessId process) override;

 private:
  // A handle on each process followed (one or two): while we hold it, its id
  // is not given to another program, and its end can be seen.
  std::vector<std::pair<ProcessId, UniqueHandle>> followed_;
  const UniqueHandle* Held(ProcessId process) const;
};

}  // namespace orvando::win32

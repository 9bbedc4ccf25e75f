#pragma once
// Whether another copy of the program is already running.

namespace orvando {

class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  virtual bool AnotherCopyRunning() = 0;
  // Asks the copy that runs to bring its window to the front (restored if
  // minimised). False when it can't be asked: it belongs to another user, or
  // runs with higher rights.
  virtual bool ShowOtherCopy() = 0;
};

}  // namespace orvando

#pragma once
// Whether another copy of the program is already running.

namespace orvando {

class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  virtual bool AnotherCopyRunning() = 0;
  // Asks the copy that runs to bring its window to the front (restored if
  // minimised), and waits a moment for its answer. False when none came: it
  // belongs to another user, runs with higher rights, is an older version,
  // or is about to end.
  virtual bool ShowOtherCopy() = 0;
};

}  // namespace orvando

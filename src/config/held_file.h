#pragma once
// A settings file another program holds for a moment (a backup, a sync or a
// virus scan at sign-in) is not a file that can't be read: it is read again,
// from an alarm, at a short pace, for up to 2 minutes. Nothing waits in a
// handler meanwhile.

#include <cstdint>
#include <functional>

#include "platform/alarm.h"
#include "platform/clock.h"

namespace orvando {

inline constexpr int kHeldFileRetryMs = 500;
inline constexpr int kHeldFileBoundMs = 120000;

class HeldFile {
 public:
  HeldFile(Alarm& alarm, const Clock& clock) : alarm_(alarm), clock_(clock) {}

  // The file was held: `read` runs again soon. False once the bound has
  // passed, or no alarm could be set: the file is given up.
  bool ReadAgain(std::function<void()> read);
  // Between the first refusal and the read that ends the retries.
  bool Waiting() const { return deadline_ >= 0; }
  // The file read, or given up.
  void Over() { deadline_ = -1; }

 private:
  Alarm& alarm_;
  const Clock& clock_;
  int64_t deadline_ = -1;  // monotonic ms; -1: not waiting
};

}  // namespace orvando

#pragma once
// Keeping the PC awake while the schedule is armed. Windows' idle sleep sends
// a desktop to sleep half an hour after the last input, which would stop the
// schedule until someone comes back.

namespace orvando {

class Power {
 public:
  virtual ~Power() = default;
  // While `awake`, the system does not fall asleep when idle; the screen may
  // still turn off, and sleep the user asks for (lid, power button) is not
  // held back. Asking twice for the same state changes nothing.
  virtual void KeepSystemAwake(bool awake) = 0;
};

}  // namespace orvando

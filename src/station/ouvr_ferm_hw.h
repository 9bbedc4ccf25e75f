#pragma once
// OuvrFermHW: starting HeavyWeather minimised, and closing it through its
// window titled "heavy weather".

#include <cstdint>
#include <string>

namespace orvando {

using WindowHandle = std::uint64_t;  // a top-level window; 0 for none

class OuvrFermHW {
 public:
  // (constructor: the settings, the station platform, the event pump, the
  // clock and the message boxes; defined with the implementation)

  bool HWLance = false;      // launched and not yet closed
  WindowHandle HandleHW = 0;  // found by the last close pass; 0 when none

  void OuvrirHW();
  void FermerHW();
  void FermerFenetre(const std::string& title);

  // True while a launch waits for the window or a close is under way: events
  // (ticks, clicks) may run nested inside.
  bool Busy() const;
};

}  // namespace orvando

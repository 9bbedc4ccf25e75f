#pragma once
// A one-shot timer for the waits on HeavyWeather: a launch looking for its
// window, a close looking for it to go. The ring comes from the program's
// event loop, and so also while a message box, a menu or the quit question
// runs a loop of its own: a wait is a state that the ring advances, never a
// loop of ours, and nothing left open on screen holds it up.

#include <functional>

namespace orvando {

class Alarm {
 public:
  virtual ~Alarm() = default;
  // Runs `ring` once, about `ms` from now. Set again before it rang, the
  // earlier ring is dropped. False when the system could not set it.
  virtual bool Set(int ms, std::function<void()> ring) = 0;
};

}  // namespace orvando

#pragma once
// Whether another copy of the program is already running.

namespace orvando {

class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  virtual bool AnotherCopyRunning() = 0;
};

}  // namespace orvando

#pragma once
// What the scheduler needs of the station control: the launch flag, the two
// operations, and whether one of them is waiting with events running nested.

namespace orvando {

class StationControl {
 public:
  virtual ~StationControl() = default;
  virtual bool Launched() const = 0;  // HWLance
  virtual void Open() = 0;            // OuvrirHW
  virtual void Close() = 0;           // FermerHW
  virtual bool Busy() const = 0;
};

}  // namespace orvando

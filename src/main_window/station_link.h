#pragma once
// The scheduler's view of OuvrFermHW.

#include "main_window/station_control.h"
#include "station/ouvr_ferm_hw.h"

namespace orvando {

class StationLink : public StationControl {
 public:
  explicit StationLink(OuvrFermHW& station) : station_(station) {}
  bool Launched() const override { return station_.HWLance; }
  void Open() override { station_.OuvrirHW(); }
  void Close() override { station_.FermerHW(); }
  bool Busy() const override { return station_.Busy(); }

 private:
  OuvrFermHW& station_;
};

}  // namespace orvando

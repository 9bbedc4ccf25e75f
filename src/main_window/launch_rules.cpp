// FormTimer's tick: the clock, the indicator, the launch rules, and the count
// that closes HeavyWeather after 120 ticks (or as many as the run's length).
#include <charconv>

#include "main_window/form_timer.h"
#include "main_window/tick_schedule.h"

namespace orvando {

int FormTimer::OnTimerEvent() {
  const LocalTime now = links_.clock.Now();
  const int second = SecondOfDay(now);
  // A timer that fires a little early is still in the second already shown:
  // wait for the boundary instead of showing that second twice.
  if (second != last_tick_second_) {
    last_tick_second_ = second;
    Timer1_Timer();
  }
  return DelayToNextTickMs(links_.clock.Now());
}

void FormTimer::Timer1_Timer() {
  Label2Caption = links_.clock.FormatTime(links_.clock.Now());
  links_.view.ShowLabel2Caption(Label2Caption);
  const bool armed = Command1Caption == "Stop";
  if (armed) ToggleIndicator();

  // While HeavyWeather is asked to close, a tick shows the time and the blink
  // only: no rule until the close has ended. While its window is awaited the
  // run is counted as usual, so that the close comes 119 ticks after the
  // launch however slow the window is to show.
  if (links_.station.Waiting() == OuvrFermHW::Wait::ForClose) return;

  if (armed && !links_.station.HWLance) {
    if (DureeValue() == 15) Test15mn();
    if (DureeValue() == 30) Test30mn();
    if (DureeValue() == 1) Test1h();
    if (DureeValue() == 3) Test3h();
    if (DureeValue() == 6) Test6h();
  }
  // The length chosen when the run began holds to its end.
  if (links_.station.HWLance && CompteurTicks++ == 0) {
    run_ticks_ = kTicksPerMinute * links_.config.RunMinutes;
  }
  if (CompteurTicks == run_ticks_) {
    links_.station.FermerHW();
    CompteurTicks = 0;
  }
}

void FormTimer::ToggleIndicator() {
  Label1BackColor = Label1BackColor == kIndicatorDark ? kIndicatorBright : kIndicatorDark;
  links_.view.ShowLabel1BackColor(Label1BackColor);
}

int FormTimer::DureeValue() const {
  int value = 0;
  std::from_chars(Duree.data(), Duree.data() + Duree.size(), value);
  return value;
}

// The minute rules read the clock once per value compared.
void FormTimer::Test15mn() {
  bool match = false;
  for (int minute : {0, 15, 30, 45}) match = links_.clock.Now().minute == minute || match;
  if (match) LancerHW();
}

void FormTimer::Test30mn() {
  bool match = false;
  for (int minute : {0, 30}) match = links_.clock.Now().minute == minute || match;
  if (match) LancerHW();
}

void FormTimer::Test1h() {
  if (links_.clock.Now().minute == 0) LancerHW();
}

// The hour rules match the whole hour: after each close, the next tick of the
// same hour launches again.
void FormTimer::Test3h() {
  for (int hour = 0; hour <= 21; hour += 3) {
    if (links_.clock.Now().hour == hour) LancerHW();
  }
}

void FormTimer::Test6h() {
  for (int hour = 0; hour <= 18; hour += 6) {
    if (links_.clock.Now().hour == hour) LancerHW();
  }
}

void FormTimer::LancerHW() {
  links_.station.OuvrirHW();
}

}  // namespace orvando

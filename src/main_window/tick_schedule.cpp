#include "main_window/tick_schedule.h"

namespace orvando {

int DelayToNextTickMs(const LocalTime& now) {
  return 1000 - now.millisecond + kTickMarginMs;
}

int SecondOfDay(const LocalTime& time) {
  return (time.hour * 60 + time.minute) * 60 + time.second;
}

}  // namespace orvando

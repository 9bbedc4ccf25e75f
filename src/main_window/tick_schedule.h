#pragma once
// The one-second tick, aligned to the local clock's second boundary.
//
// A plain 1000 ms timer drifts and Windows rounds its period, so the clock
// label would now and then skip or repeat a second and a launch would come
// late. Instead each tick re-arms the timer for the time left to the next
// second, plus a small margin so that the tick lands just after the boundary.

#include "platform/clock.h"

namespace orvando {

inline constexpr int kTickMarginMs = 15;

// Delay from `now` to just after the next second boundary.
int DelayToNextTickMs(const LocalTime& now);

// Seconds since midnight: the identity of a tick. Two timer events within one
// second (an early timer) are one tick.
int SecondOfDay(const LocalTime& time);

}  // namespace orvando

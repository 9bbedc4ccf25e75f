#pragma once
// How well a clock label keeps time, from the outside: each time its text
// changes, how long after the true start of the second it shows, and whether
// it skipped a second or held one on screen for too long. Also the median
// the benchmarks report. No <windows.h> here, so the native build tests it.

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvando::bench {

inline constexpr int kSecondsPerHour = 3600;
inline constexpr int64_t kMsPerHour = 3600 * 1000;

// The second within the hour that a clock text shows: its last two numbers
// are the minutes and the seconds ("10:15:07", "10:15:07 AM", "10 h 15 min
// 07 s"). -1 when the text holds fewer than three numbers or impossible ones.
int ShownSecondOfHour(std::string_view text);

// How late (positive) or early (negative) a label showing `shown_second` is,
// at `true_ms_of_hour` milliseconds into the true hour. Wraps across the
// hour, so 59:59 shown at 00:00.010 is 1010 ms late.
int64_t LagMs(int shown_second, int64_t true_ms_of_hour);

class TickStats {
 public:
  // A change of the label's text to `shown_second`, seen at
  // `true_ms_of_hour`. The first call only sets the starting point.
  void Add(int shown_second, int64_t true_ms_of_hour);

  int changes() const { return changes_; }
  // Seconds never shown: the label jumped over them.
  int skipped() const { return skipped_; }
  // Seconds shown for more than 1.5 s (a tick fell just before its boundary
  // and showed the old second again), or shown a second time.
  int repeated() const { return repeated_; }
  int64_t max_lag_ms() const { return max_lag_; }
  int64_t min_lag_ms() const { return min_lag_; }
  double mean_lag_ms() const { return changes_ ? static_cast<double>(sum_lag_) / changes_ : 0; }

 private:
  bool started_ = false;
  int last_second_ = 0;
  int64_t last_change_ms_ = 0;
  int changes_ = 0;
  int skipped_ = 0;
  int repeated_ = 0;
  int64_t max_lag_ = 0;
  int64_t min_lag_ = 0;
  int64_t sum_lag_ = 0;
};

// The median of the values (the mean of the middle two for an even count);
// 0 for none.
double Median(std::vector<double> values);

}  // namespace orvando::bench

#include "tick_stats.h"

#include <algorithm>

namespace orvando::bench {

int ShownSecondOfHour(std::string_view text) {
  int numbers[3] = {-1, -1, -1};  // the last three, oldest first
  int count = 0;
  for (size_t i = 0; i < text.size();) {
    if (text[i] < '0' || text[i] > '9') {
      ++i;
      continue;
    }
    int value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100; ++i) {
      value = value * 10 + (text[i] - '0');
    }
    numbers[0] = numbers[1];
    numbers[1] = numbers[2];
    numbers[2] = value;
    ++count;
  }
  const int minute = numbers[1], second = numbers[2];
  if (count < 3 || minute > 59 || second > 59) return -1;
  return minute * 60 + second;
}

int64_t LagMs(int shown_second, int64_t true_ms_of_hour) {
  int64_t lag = (true_ms_of_hour - int64_t{shown_second} * 1000) % kMsPerHour;
  if (lag < 0) lag += kMsPerHour;
  return lag >= kMsPerHour / 2 ? lag - kMsPerHour : lag;
}

void TickStats::Add(int shown_second, int64_t true_ms_of_hour) {
  if (!started_) {
    started_ = true;
  } else {
    const int step =
        ((shown_second - last_second_) % kSecondsPerHour + kSecondsPerHour) % kSecondsPerHour;
    const int64_t held = (true_ms_of_hour - last_change_ms_ + kMsPerHour) % kMsPerHour;
    if (step == 0 || step > kSecondsPerHour / 2) {
      ++repeated_;  // the same second again, or back in time
    } else {
      skipped_ += step - 1;
      if (step == 1 && held > 1500) ++repeated_;
    }
    const int64_t lag = LagMs(shown_second, true_ms_of_hour);
    if (changes_ == 0 || lag > max_lag_) max_lag_ = lag;
    if (changes_ == 0 || lag < min_lag_) min_lag_ = lag;
    sum_lag_ += lag;
    ++changes_;
  }
  last_second_ = shown_second;
  last_change_ms_ = true_ms_of_hour;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}  // namespace orvando::bench

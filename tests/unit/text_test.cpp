// The numbers of the clock texts: padded with zeros to their width, and only
// the last digits kept, as printf's "%02d" of a value modulo 100 gave them.
#include <gtest/gtest.h>

#include "platform/text.h"

namespace orvando {
namespace {

TEST(Text_ZeroPadded, PadsToTheWidthAndKeepsTheLastDigits) {
  struct Case {
    int value;
    std::size_t width;
    const char* expected;
  };
  const Case cases[] = {
      {0, 2, "00"},   {7, 2, "07"},      {59, 2, "59"}, {123, 2, "23"},
      {5, 4, "0005"}, {2026, 4, "2026"}, {-1, 2, "00"}, {2147483647, 10, "2147483647"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZeroPadded(c.value, c.width), c.expected) << c.value << " in " << c.width;
  }
  // Every field of a history line's date in its place.
  EXPECT_EQ(DateTimeText({3, 4, 5, 0, 2026, 1, 2, 5}), "2026-01-02 03:04:05");
}

}  // namespace
}  // namespace orvando

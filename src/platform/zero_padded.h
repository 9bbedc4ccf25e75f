#pragma once
// Numbers written with a fixed count of digits, as the clock texts need them
// ("2026-12-07", "03:05"), without the C library's printf: snprintf alone
// brings MinGW's whole printf engine (about 22 KB) into Orvando.exe.

#include <cstddef>
#include <string>

namespace orvando {

// The last `width` decimal digits of `value`, zero-padded on the left: 7 gives
// "07" and 2026 gives "26" at width 2. A negative value, which no clock field
// has, is written as zeros.
std::string ZeroPadded(int value, std::size_t width);

}  // namespace orvando

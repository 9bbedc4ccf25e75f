#pragma once
// Orvando's version, as the About window shows it and the signal of life's
// User-Agent names it; resources/orvando.rc and CMakeLists.txt say the same.

namespace orvando {

inline constexpr const char* kVersion = "1.30";

}  // namespace orvando

#pragma once
// Everything this program knows about HeavyWeather: its file name, its
// window title, and how it is started and asked to close.

#include <cstdint>
#include <string_view>

namespace orvando::hw {

inline constexpr std::string_view kProgramFile = "heavy weather.exe";
inline constexpr std::string_view kWindowTitle = "heavy weather";

// Minimised, with the focus (SW_SHOWMINIMIZED).
inline constexpr int kShowState = 2;

// Alt+Space opens the window menu; a space, then u, picks "Réduire" (its
// access key on a French Windows). HeavyWeather may ignore the show state it
// is started with; these minimise it anyway.
inline constexpr std::string_view kOpenWindowMenu = "%{ }";
inline constexpr std::string_view kPickMinimise = " {u}";

// The close request: WM_CLOSE with wParam 1 and lParam 1.
inline constexpr uint32_t kCloseMessage = 16;
inline constexpr uint64_t kCloseWParam = 1;
inline constexpr int64_t kCloseLParam = 1;

// WM_SYSCOMMAND / SC_MINIMIZE, used only by OS-side code.
inline constexpr uint32_t kSysCommandMessage = 0x0112;
inline constexpr uint64_t kScMinimize = 0xF020;

}  // namespace orvando::hw

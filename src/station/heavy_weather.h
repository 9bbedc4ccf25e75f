#pragma once
// Everything this program knows about HeavyWeather: its file name, its
// window title, and how it is started and asked to close.

#include <cstdint>
#include <string_view>

#include "platform/station.h"

namespace orvando::hw {

inline constexpr std::string_view kProgramFile = "heavy weather.exe";
inline constexpr std::string_view kWindowTitle = "heavy weather";

// Minimised, with the focus (SW_SHOWMINIMIZED).
inline constexpr int kShowState = 2;

// HeavyWeather may ignore the show state it is started with; these keys
// minimise it anyway, through its window menu. "%{ }" in the classic
// send-keys notation: Alt+Space, which opens the window menu.
inline constexpr uint32_t kVkAlt = 0x12;  // VK_MENU
inline constexpr KeyEvent kOpenWindowMenu[] = {
    {KeyEvent::Kind::VirtualKey, kVkAlt, true},
    {KeyEvent::Kind::Character, ' ', true},
    {KeyEvent::Kind::Character, ' ', false},
    {KeyEvent::Kind::VirtualKey, kVkAlt, false},
};
// " {u}": a space, then u, the access key of "Réduire" on a French Windows.
inline constexpr KeyEvent kPickMinimise[] = {
    {KeyEvent::Kind::Character, ' ', true},
    {KeyEvent::Kind::Character, ' ', false},
    {KeyEvent::Kind::Character, 'u', true},
    {KeyEvent::Kind::Character, 'u', false},
};

// The close request: WM_CLOSE with wParam 1 and lParam 1.
inline constexpr uint32_t kCloseMessage = 16;
inline constexpr uint64_t kCloseWParam = 1;
inline constexpr int64_t kCloseLParam = 1;

// WM_SYSCOMMAND / SC_MINIMIZE, used only by OS-side code.
inline constexpr uint32_t kSysCommandMessage = 0x0112;
inline constexpr uint64_t kScMinimize = 0xF020;

}  // namespace orvando::hw

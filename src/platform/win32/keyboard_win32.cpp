#include "platform/win32/keyboard_win32.h"

namespace orvando::win32 {
namespace {

INPUT KeyInput(WORD vk, wchar_t unicode, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = vk ? static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) : unicode;
  input.ki.dwFlags = (vk ? 0 : KEYEVENTF_UNICODE) | (down ? 0 : KEYEVENTF_KEYUP);
  return input;
}

}  // namespace

// A character is typed with its own key, so that the window menu sees its
// access key; one the layout types only with a shift state, or not at all,
// goes as Unicode.
std::vector<INPUT> KeyInputs(std::span<const KeyEvent> keys) {
  std::vector<INPUT> out;
  for (const KeyEvent& key : keys) {
    if (key.kind == KeyEvent::Kind::VirtualKey) {
      out.push_back(KeyInput(static_cast<WORD>(key.code), 0, key.down));
      continue;
    }
    const wchar_t character = static_cast<wchar_t>(key.code);
    const SHORT scan = VkKeyScanW(character);
    const bool own_key = scan != -1 && HIBYTE(scan) == 0;
    out.push_back(KeyInput(own_key ? LOBYTE(scan) : 0, character, key.down));
  }
  return out;
}

bool SendKeyInputs(std::span<const KeyEvent> keys) {
  std::vector<INPUT> inputs = KeyInputs(keys);
  if (inputs.empty()) return true;
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return sent == inputs.size();
}

}  // namespace orvando::win32

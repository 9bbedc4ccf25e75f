#include "platform/win32/keyboard_win32.h"

#include <algorithm>

namespace orvando::win32 {
namespace {

bool IsExtendedKey(WORD vk) {
  return (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE ||
         vk == VK_SNAPSHOT || vk == VK_DIVIDE || vk == VK_NUMLOCK;
}

INPUT VirtualKeyInput(WORD vk, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  if (!down) input.ki.dwFlags |= KEYEVENTF_KEYUP;
  if (IsExtendedKey(vk)) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  return input;
}

INPUT UnicodeInput(wchar_t unit, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = unit;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
  return input;
}

void AddUnicode(std::vector<INPUT>& out, uint32_t code, bool down) {
  if (code < 0x10000) {
    out.push_back(UnicodeInput(static_cast<wchar_t>(code), down));
    return;
  }
  code -= 0x10000;
  out.push_back(UnicodeInput(static_cast<wchar_t>(0xD800 + (code >> 10)), down));
  out.push_back(UnicodeInput(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)), down));
}

// A character typed with its key, pressing the modifiers the layout needs
// for it that the notation does not already hold.
void AddCharacter(std::vector<INPUT>& out, uint32_t code, bool down,
                  const std::vector<WORD>& held) {
  const SHORT scan = code < 0x10000 ? VkKeyScanW(static_cast<wchar_t>(code)) : -1;
  if (scan == -1 || LOBYTE(scan) == 0xFF) {
    AddUnicode(out, code, down);
    return;
  }
  std::vector<WORD> extra;
  const BYTE shift_state = HIBYTE(scan);
  const std::pair<BYTE, WORD> modifiers[] = {{1, VK_SHIFT}, {2, VK_CONTROL}, {4, VK_MENU}};
  for (const auto& [bit, vk] : modifiers) {
    if ((shift_state & bit) && std::find(held.begin(), held.end(), vk) == held.end()) {
      extra.push_back(vk);
    }
  }
  if (down) {
    for (WORD vk : extra) out.push_back(VirtualKeyInput(vk, true));
    out.push_back(VirtualKeyInput(LOBYTE(scan), true));
  } else {
    out.push_back(VirtualKeyInput(LOBYTE(scan), false));
    for (auto it = extra.rbegin(); it != extra.rend(); ++it) {
      out.push_back(VirtualKeyInput(*it, false));
    }
  }
}

}  // namespace

std::vector<INPUT> KeyInputs(const std::vector<KeyEvent>& keys) {
  std::vector<INPUT> out;
  std::vector<WORD> held;  // keys the notation holds down (modifiers)
  for (const KeyEvent& key : keys) {
    if (key.kind == KeyEvent::Kind::Character) {
      AddCharacter(out, key.code, key.down, held);
      continue;
    }
    const WORD vk = static_cast<WORD>(key.code);
    out.push_back(VirtualKeyInput(vk, key.down));
    if (key.down) {
      held.push_back(vk);
    } else if (auto it = std::find(held.begin(), held.end(), vk); it != held.end()) {
      held.erase(it);
    }
  }
  return out;
}

bool SendKeyInputs(const std::vector<KeyEvent>& keys) {
  std::vector<INPUT> inputs = KeyInputs(keys);
  if (inputs.empty()) return true;
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return sent == inputs.size();
}

}  // namespace orvando::win32

#pragma once
// Keystroke strings in the classic "send keys" notation, turned into the key
// presses and releases that type them.
//
//   + ^ %      hold Shift, Ctrl or Alt for the next key, or for a group "(...)"
//   {NAME}     a named key: ENTER, ESC, TAB, SPACE, BACKSPACE, DELETE, arrows,
//              F1..F16, ... (case not told apart); {NAME n} presses it n times
//   {c}        the character c itself, also one of + ^ % ~ ( ) { } or a space
//   ~          ENTER
//   other      the character itself
//
// So "%{ }" is Alt+Space and " {u}" is a space, then the letter u.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvando {

struct KeyEvent {
  enum class Kind {
    VirtualKey,  // `code` is a Windows virtual-key code
    Character,   // `code` is a Unicode character; the keyboard layout says
                 // which key (and which shift state) types it
  };
  Kind kind = Kind::VirtualKey;
  uint32_t code = 0;
  bool down = true;  // press, or release

  friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// Virtual-key codes used by the notation (Windows' own values).
namespace vk {
inline constexpr uint32_t kShift = 0x10, kControl = 0x11, kAlt = 0x12;
}  // namespace vk

struct KeyParse {
  bool ok = false;
  std::vector<KeyEvent> events;
  std::string error;  // French, naming the fault and where it is
};

// Text is UTF-8. Fails, with nothing to send, on malformed notation (an
// unknown key name, an unclosed brace or parenthesis, a modifier with no key
// after it, a repeat count out of range).
KeyParse ParseKeys(std::string_view text);

}  // namespace orvando

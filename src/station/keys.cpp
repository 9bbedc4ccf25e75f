#include "station/keys.h"

#include <array>
#include <cctype>
#include <charconv>

namespace orvando {
namespace {

struct NamedKey {
  std::string_view name;
  uint32_t vk;
};

constexpr std::array<NamedKey, 29> kNamedKeys{{
    {"BACKSPACE", 0x08}, {"BS", 0x08},         {"BKSP", 0x08},     {"BREAK", 0x03},
    {"CAPSLOCK", 0x14},  {"DELETE", 0x2E},     {"DEL", 0x2E},      {"DOWN", 0x28},
    {"END", 0x23},       {"ENTER", 0x0D},      {"ESC", 0x1B},      {"HELP", 0x2F},
    {"HOME", 0x24},      {"INSERT", 0x2D},     {"INS", 0x2D},      {"LEFT", 0x25},
    {"NUMLOCK", 0x90},   {"PGDN", 0x22},       {"PGUP", 0x21},     {"PRTSC", 0x2C},
    {"RIGHT", 0x27},     {"SCROLLLOCK", 0x91}, {"TAB", 0x09},      {"UP", 0x26},
    {"SPACE", 0x20},     {"ADD", 0x6B},        {"SUBTRACT", 0x6D}, {"MULTIPLY", 0x6A},
    {"DIVIDE", 0x6F},
}};

constexpr int kMaxRepeat = 255;
constexpr int kMaxDepth = 16;  // nested groups: "+(^(%(...)))"

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
  }
  return true;
}

bool LookUpName(std::string_view name, uint32_t& vk) {
  for (const auto& key : kNamedKeys) {
    if (SameName(name, key.name)) return vk = key.vk, true;
  }
  // F1..F16
  if (name.size() >= 2 && name.size() <= 3 && (name[0] == 'F' || name[0] == 'f')) {
    int n = 0;
    const auto [end, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), n);
    if (ec == std::errc() && end == name.data() + name.size() && n >= 1 && n <= 16) {
      vk = 0x70 + static_cast<uint32_t>(n - 1);
      return true;
    }
  }
  return false;
}

// Length of the UTF-8 sequence starting at s[0] and its code point; 0 when
// the bytes are not valid UTF-8.
size_t DecodeUtf8(std::string_view s, uint32_t& cp) {
  const auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char c = b(0);
  size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (len == 0 || len > s.size()) return 0;
  cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
  for (size_t i = 1; i < len; ++i) {
    if ((b(i) >> 6) != 2) return 0;
    cp = (cp << 6) | (b(i) & 0x3F);
  }
  static constexpr uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  KeyParse Run() {
    KeyParse result;
    if (Sequence(0) && pos_ == text_.size()) {
      result.ok = true;
      result.events = std::move(events_);
    } else {
      if (error_.empty()) Fail("parenthèse fermante sans ouvrante");
      result.error = std::move(error_);
    }
    return result;
  }

 private:
  // Items up to the end, or up to the ')' closing a group (left unread).
  bool Sequence(int depth) {
    while (pos_ < text_.size() && text_[pos_] != ')') {
      if (!Item(depth)) return false;
    }
    return true;
  }

  // Modifiers, then one key or one group, typed with those modifiers held.
  bool Item(int depth) {
    std::vector<uint32_t> held;
    for (; pos_ < text_.size(); ++pos_) {
      const char c = text_[pos_];
      const uint32_t mod = c == '+'   ? vk::kShift
                           : c == '^' ? vk::kControl
                           : c == '%' ? vk::kAlt
                                      : 0;
      if (mod == 0) break;
      held.push_back(mod);
    }
    if (pos_ == text_.size() || (!held.empty() && text_[pos_] == ')')) {
      return Fail("modificateur sans touche après lui");
    }
    for (uint32_t mod : held) events_.push_back({KeyEvent::Kind::VirtualKey, mod, true});
    const bool ok = text_[pos_] == '(' ? Group(depth) : Key();
    for (auto it = held.rbegin(); it != held.rend(); ++it) {
      events_.push_back({KeyEvent::Kind::VirtualKey, *it, false});
    }
    return ok;
  }

  bool Group(int depth) {
    if (depth >= kMaxDepth) return Fail("trop de parenthèses imbriquées");
    const size_t open = pos_++;
    if (!Sequence(depth + 1)) return false;
    if (pos_ == text_.size()) return Fail("parenthèse non fermée", open);
    ++pos_;  // ')'
    return true;
  }

  bool Key() {
    const char c = text_[pos_];
    if (c == '{') return Braced();
    if (c == '}') return Fail("accolade fermante sans ouvrante");
    if (c == '~') {
      ++pos_;
      Press({KeyEvent::Kind::VirtualKey, 0x0D, true}, 1);
      return true;
    }
    uint32_t cp = 0;
    const size_t len = DecodeUtf8(text_.substr(pos_), cp);
    if (len == 0) return Fail("texte UTF-8 invalide");
    pos_ += len;
    Press({KeyEvent::Kind::Character, cp, true}, 1);
    return true;
  }

  // "{NAME}", "{NAME n}", "{c}", "{c n}"; "{}}" is the closing brace itself.
  bool Braced() {
    const size_t open = pos_;
    size_t close = text_.find('}', open + 2);  // the first character may be '}'
    if (close == std::string_view::npos) return Fail("accolade non fermée", open);
    std::string_view inside = text_.substr(open + 1, close - open - 1);
    pos_ = close + 1;

    int count = 1;
    const size_t space = inside.rfind(' ');
    if (space != std::string_view::npos && space > 0 && space + 1 < inside.size()) {
      const std::string_view digits = inside.substr(space + 1);
      const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
      if (ec != std::errc() || end != digits.data() + digits.size() || count < 1 ||
          count > kMaxRepeat) {
        return Fail("nombre de répétitions invalide", open);
      }
      inside = inside.substr(0, space);
    }

    uint32_t cp = 0;
    uint32_t vk = 0;
    if (!inside.empty() && DecodeUtf8(inside, cp) == inside.size()) {
      Press({KeyEvent::Kind::Character, cp, true}, count);
    } else if (LookUpName(inside, vk)) {
      Press({KeyEvent::Kind::VirtualKey, vk, true}, count);
    } else {
      return Fail("touche inconnue {" + std::string(inside) + "}", open);
    }
    return true;
  }

  void Press(KeyEvent key, int count) {
    for (int i = 0; i < count; ++i) {
      key.down = true;
      events_.push_back(key);
      key.down = false;
      events_.push_back(key);
    }
  }

  bool Fail(const std::string& what) { return Fail(what, pos_); }
  bool Fail(const std::string& what, size_t at) {
    if (error_.empty()) {
      error_ = "Touches « " + std::string(text_) + " » : " + what + " (position " +
               std::to_string(at + 1) + ").";
    }
    return false;
  }

  std::string_view text_;
  size_t pos_ = 0;
  std::vector<KeyEvent> events_;
  std::string error_;
};

}  // namespace

KeyParse ParseKeys(std::string_view text) {
  return Parser(text).Run();
}

}  // namespace orvando

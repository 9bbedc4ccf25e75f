// The keystroke strings minimise HeavyWeather through its window menu: a
// wrong event (a modifier left held, a key pressed twice) types into it.
#include <gtest/gtest.h>

#include "station/keys.h"

namespace orvando::test {
namespace {

using K = KeyEvent::Kind;
constexpr KeyEvent Down(uint32_t vk) {
  return {K::VirtualKey, vk, true};
}
constexpr KeyEvent Up(uint32_t vk) {
  return {K::VirtualKey, vk, false};
}
constexpr KeyEvent CharDown(uint32_t c) {
  return {K::Character, c, true};
}
constexpr KeyEvent CharUp(uint32_t c) {
  return {K::Character, c, false};
}

TEST(Keys_Parse, TranslatesTheNotation) {
  struct Case {
    const char* text;
    std::vector<KeyEvent> expected;
  };
  const Case cases[] = {
      {"%{ }", {Down(0x12), CharDown(' '), CharUp(' '), Up(0x12)}},
      {" {u}", {CharDown(' '), CharUp(' '), CharDown('u'), CharUp('u')}},
      {"", {}},
      {"ab", {CharDown('a'), CharUp('a'), CharDown('b'), CharUp('b')}},
      {"~", {Down(0x0D), Up(0x0D)}},
      {"{ENTER}{esc}{Tab}{SPACE}",
       {Down(0x0D), Up(0x0D), Down(0x1B), Up(0x1B), Down(0x09), Up(0x09), Down(0x20), Up(0x20)}},
      {"{F1}{F16}{DEL}{BS}",
       {Down(0x70), Up(0x70), Down(0x7F), Up(0x7F), Down(0x2E), Up(0x2E), Down(0x08), Up(0x08)}},
      // Modifiers apply to the next key only, and stack.
      {"+ab", {Down(0x10), CharDown('a'), CharUp('a'), Up(0x10), CharDown('b'), CharUp('b')}},
      {"^%{DEL}", {Down(0x11), Down(0x12), Down(0x2E), Up(0x2E), Up(0x12), Up(0x11)}},
      // ... or to a whole group.
      {"+(ab)c",
       {Down(0x10), CharDown('a'), CharUp('a'), CharDown('b'), CharUp('b'), Up(0x10), CharDown('c'),
        CharUp('c')}},
      {"(a)", {CharDown('a'), CharUp('a')}},
      // The notation's own characters, typed through braces.
      {"{+}{%}{^}{~}{(}{)}{{}{}}",
       {CharDown('+'), CharUp('+'), CharDown('%'), CharUp('%'), CharDown('^'), CharUp('^'),
        CharDown('~'), CharUp('~'), CharDown('('), CharUp('('), CharDown(')'), CharUp(')'),
        CharDown('{'), CharUp('{'), CharDown('}'), CharUp('}')}},
      // Repeat counts.
      {"{a 3}",
       {CharDown('a'), CharUp('a'), CharDown('a'), CharUp('a'), CharDown('a'), CharUp('a')}},
      {"%{TAB 2}", {Down(0x12), Down(0x09), Up(0x09), Down(0x09), Up(0x09), Up(0x12)}},
      // Characters beyond ASCII are whole characters, not bytes.
      {"é{€}", {CharDown(0xE9), CharUp(0xE9), CharDown(0x20AC), CharUp(0x20AC)}},
  };
  for (const auto& c : cases) {
    const KeyParse parsed = ParseKeys(c.text);
    EXPECT_TRUE(parsed.ok) << c.text << ": " << parsed.error;
    EXPECT_EQ(parsed.events, c.expected) << c.text;
  }
}

TEST(Keys_Parse, RejectsMalformedNotationAndSaysWhere) {
  struct Case {
    const char* text;
    const char* error_part;
  };
  const Case cases[] = {
      {"%", "modificateur sans touche"},
      {"a+", "modificateur sans touche"},
      {"(+)", "modificateur sans touche"},
      {"{ENTER", "accolade non fermée"},
      {"{", "accolade non fermée"},
      {"a}", "accolade fermante sans ouvrante"},
      {"(ab", "parenthèse non fermée"},
      {"ab)", "parenthèse fermante sans ouvrante"},
      {"{NOPE}", "touche inconnue {NOPE}"},
      {"{F17}", "touche inconnue"},
      {"{a 0}", "répétitions"},
      {"{a 256}", "répétitions"},
      {"{a x}", "répétitions"},
      {"\xff", "UTF-8"},
      {"\xc3", "UTF-8"},
      {"((((((((((((((((((a))))))))))))))))))", "imbriquées"},
  };
  for (const auto& c : cases) {
    const KeyParse parsed = ParseKeys(c.text);
    EXPECT_FALSE(parsed.ok) << c.text;
    EXPECT_TRUE(parsed.events.empty()) << c.text;
    EXPECT_NE(parsed.error.find(c.error_part), std::string::npos) << c.text << ": " << parsed.error;
  }
}

TEST(Keys_Parse, ReportsThePositionOfTheFault) {
  EXPECT_NE(ParseKeys("ab{NOPE}").error.find("position 3"), std::string::npos);
}

}  // namespace
}  // namespace orvando::test

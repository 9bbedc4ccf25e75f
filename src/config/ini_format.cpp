#include "config/ini_format.h"

#include <vector>

#include "platform/text.h"

namespace orvando::ini {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The lines, without their ends; a byte-order mark at the start is dropped.
std::vector<std::string_view> Lines(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
  }
  return lines;
}

// "[name]": its name; otherwise false.
bool SectionName(std::string_view line, std::string_view& name) {
  line = Trimmed(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
  name = Trimmed(line.substr(1, line.size() - 2));
  return true;
}

// "key=value": both, trimmed; otherwise false (comments too).
bool KeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
  const std::string_view trimmed = Trimmed(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return false;
  const size_t equal = trimmed.find('=');
  if (equal == std::string_view::npos) return false;
  key = Trimmed(trimmed.substr(0, equal));
  value = Trimmed(trimmed.substr(equal + 1));
  // Adresse="https://..." as many ini files write a value.
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return true;
}

}  // namespace

bool Value(std::string_view text, std::string_view section, std::string_view key,
           std::string& value) {
  bool inside = false, found = false;
  for (const std::string_view line : Lines(text)) {
    std::string_view name, k, v;
    if (SectionName(line, name)) {
      inside = SameText(name, section);
    } else if (inside && KeyValue(line, k, v) && SameText(k, key)) {
      value.assign(v);
      found = true;
    }
  }
  return found;
}

std::string WithValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value) {
  const std::string setting = std::string(key) + "=" + std::string(value);
  // A byte-order mark the owner's editor wrote stays: without it, Notepad
  // may take the file for ANSI.
  std::string out(text.starts_with(kByteOrderMark) ? kByteOrderMark : "");
  bool inside = false, seen_section = false, written = value.empty();
  const auto add = [&out](std::string_view line) { out.append(line).append("\r\n"); };
  for (const std::string_view line : Lines(text)) {
    std::string_view name, k, v;
    if (SectionName(line, name)) {
      // Leaving our section without the key: it goes at the section's end.
      if (inside && !written) add(setting), written = true;
      inside = SameText(name, section);
      seen_section |= inside;
    } else if (inside && KeyValue(line, k, v) && SameText(k, key)) {
      if (!written) add(setting), written = true;
      continue;  // every other line of that key goes
    }
    add(line);
  }
  if (!written) {
    if (!seen_section) add("[" + std::string(section) + "]");
    add(setting);
  }
  return out;
}

}  // namespace orvando::ini

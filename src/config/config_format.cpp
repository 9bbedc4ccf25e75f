#include "config/config_format.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

namespace orvando::config {
namespace {

constexpr char kCrLf[] = "\r\n";

// Divides the file into items. Commas and line ends separate items alike, so
// the same four items read the same on one, two or four lines.
//
// Choices for what the writer never produces, made so that a hand-edited
// file reads as its author meant it and nothing is lost silently:
// - Spaces and tabs before an item are skipped; an unquoted item loses its
//   trailing spaces and tabs ("C:\Meteo , 2" gives "C:\Meteo" and "2").
//   Between quotes every character is kept.
// - Characters between a closing quote and the next separator are dropped
//   ("C:\Meteo"x,2 gives C:\Meteo): the quotes say where the item ends.
// - CR LF is one line end; a lone CR or a lone LF is a line end too.
// - An item that opens a quote and reaches the end of the file before the
//   closing one is cut short: it is not read whole.
// - An item ended by the end of the file itself is whole (no final CR LF).
class ItemReader {
 public:
  explicit ItemReader(std::string_view bytes) : bytes_(bytes) {}

  bool AtEnd() const { return pos_ >= bytes_.size(); }

  // Reads the next item when it is `expected`, and only then moves on.
  bool Skip(std::string_view expected) {
    const size_t mark = pos_;
    std::string item;
    if (Next(item) && item == expected) return true;
    pos_ = mark;
    return false;
  }

  // Reads the next item. False when the end of the file comes first, or
  // before the item is whole. Every call that returns true moves forward, so
  // reading a whole file is linear in its size.
  bool Next(std::string& item) {
    if (AtEnd()) return false;
    while (!AtEnd() && IsBlank(bytes_[pos_])) ++pos_;
    if (!AtEnd() && bytes_[pos_] == '"') {
      const size_t close = bytes_.find('"', pos_ + 1);
      if (close == std::string_view::npos) {
        pos_ = bytes_.size();
        return false;
      }
      item.assign(bytes_.substr(pos_ + 1, close - pos_ - 1));
      pos_ = close + 1;
      while (!AtEnd() && !IsSeparator(bytes_[pos_])) ++pos_;
    } else {
      const size_t start = pos_;
      while (!AtEnd() && !IsSeparator(bytes_[pos_])) ++pos_;
      size_t end = pos_;
      while (end > start && IsBlank(bytes_[end - 1])) --end;
      item.assign(bytes_.substr(start, end - start));
    }
    SkipSeparator();
    return true;
  }

 private:
  static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
  static bool IsSeparator(char c) { return c == ',' || c == '\r' || c == '\n'; }

  void SkipSeparator() {
    if (AtEnd()) return;
    const char c = bytes_[pos_++];
    if (c == '\r' && !AtEnd() && bytes_[pos_] == '\n') ++pos_;
  }

  std::string_view bytes_;
  size_t pos_ = 0;
};

// A number item: decimal digits only (leading zeros allowed, as a hand edit
// may leave them), with a value below `bound`. Anything else is invalid.
bool ParseNumber(const std::string& text, unsigned bound, uint8_t& number) {
  if (text.empty()) return false;
  unsigned value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    // Still reject letters further on, but stop the value from growing.
    value = std::min(value * 10 + static_cast<unsigned>(c - '0'), bound);
  }
  if (value >= bound) return false;
  number = static_cast<uint8_t>(value);
  return true;
}

bool ParseMinutes(const std::string& text, uint8_t& minutes) {
  uint8_t value = 0;
  if (!ParseNumber(text, 256, value)) return false;
  if (std::find(std::begin(kRunMinutes), std::end(kRunMinutes), value) == std::end(kRunMinutes))
    return false;
  minutes = value;
  return true;
}

}  // namespace

std::string FormatConfig(std::string_view ansi_folder, uint8_t index, uint8_t minutes) {
  std::string out;
  out.reserve(sizeof(kHeader1) + sizeof(kHeader2) + ansi_folder.size() + 16);
  out.append("\"").append(kHeader1).append("\",\"").append(kHeader2).append("\"").append(kCrLf);
  out.append("\"").append(ansi_folder).append("\",").append(std::to_string(index)).append(kCrLf);
  if (minutes != kDefaultRunMinutes) {
    out.append("\"").append(kDureeItem).append("\",").append(std::to_string(minutes)).append(kCrLf);
  }
  return out;
}

bool FolderWritable(std::string_view ansi_folder) {
  return ansi_folder.find('"') == std::string_view::npos;
}

// Groups of four items are read while the end of the file is not reached,
// tested only before each group; the last whole group wins. After a whole
// group, an item "Duree" and the one after it give that group's run length.
// What a group cut short by the end of the file holds is dropped, except its
// folder when no whole group came before it: then that folder is the best
// there is.
ParsedConfig ParseConfig(std::string_view bytes) {
  ParsedConfig result;
  ItemReader reader(bytes);
  bool have_group = false;
  std::string index_text;
  std::optional<std::string> minutes_text;
  std::array<std::string, 4> items;
  while (!reader.AtEnd()) {
    size_t n = 0;
    while (n < items.size() && reader.Next(items[n])) ++n;
    if (n == items.size()) {
      result.folder = std::move(items[2]);
      index_text = std::move(items[3]);
      have_group = true;
      minutes_text.reset();
      if (reader.Skip(kDureeItem)) {
        minutes_text.emplace();
        reader.Next(*minutes_text);  // cut short: no length, and it is told
      }
      continue;
    }
    result.tail_dropped = have_group;
    if (!have_group && n >= 3 && !items[2].empty()) {
      result.folder = std::move(items[2]);
      result.has_folder = true;
      result.index_replaced = true;
      result.status = ParsedConfig::Status::Repaired;
      return result;
    }
    if (!have_group) {
      result.status = ParsedConfig::Status::NoFolder;
      return result;
    }
    break;
  }
  if (!have_group) return result;  // an empty file: nothing read, option 0
  result.has_folder = true;
  result.index_replaced = !ParseNumber(index_text, kOptionCount, result.index);
  result.minutes_replaced = minutes_text && !ParseMinutes(*minutes_text, result.minutes);
  if (result.index_replaced || result.minutes_replaced || result.tail_dropped) {
    result.status = ParsedConfig::Status::Repaired;
  }
  return result;
}

}  // namespace orvando::config

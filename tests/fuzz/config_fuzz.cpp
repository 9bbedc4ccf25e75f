// Any bytes in "Orvando.cfg" must read without a crash, in time linear in
// their size, and give values the writer can store and read back unchanged.
// The same bytes as "Orvando.ini": an address written into them reads back,
// and once removed reads as none.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

#include "config/config_format.h"
#include "config/ini_format.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using orvando::config::ParsedConfig;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ParsedConfig p = orvando::config::ParseConfig(bytes);
  Check(p.index < orvando::config::kOptionCount);
  const auto& lengths = orvando::config::kRunMinutes;
  Check(std::find(std::begin(lengths), std::end(lengths), p.minutes) != std::end(lengths));
  if (p.minutes_replaced) Check(p.minutes == orvando::config::kDefaultRunMinutes);
  if (p.status == ParsedConfig::Status::NoFolder) Check(!p.has_folder && p.folder.empty());
  if (p.status == ParsedConfig::Status::Read) {
    Check(!p.index_replaced && !p.minutes_replaced && !p.tail_dropped);
  }
  if (p.has_folder && orvando::config::FolderWritable(p.folder)) {
    const ParsedConfig again = orvando::config::ParseConfig(
        orvando::config::FormatConfig(p.folder, p.index, p.minutes));
    Check(again.status == ParsedConfig::Status::Read);
    Check(again.folder == p.folder && again.index == p.index && again.minutes == p.minutes);
  }

  namespace ini = orvando::ini;
  std::string value;
  ini::Value(bytes, ini::kSignalSection, ini::kAddressKey, value);
  const std::string address = "https://hc-ping.com/0c2d";
  const std::string with = ini::WithValue(bytes, ini::kSignalSection, ini::kAddressKey, address);
  Check(ini::Value(with, ini::kSignalSection, ini::kAddressKey, value) && value == address);
  const std::string without = ini::WithValue(with, ini::kSignalSection, ini::kAddressKey, "");
  Check(!ini::Value(without, ini::kSignalSection, ini::kAddressKey, value));
  return 0;
}

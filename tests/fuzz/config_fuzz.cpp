// Any bytes in "Orvando.cfg" must read without a crash, in time linear in
// their size, and give values the writer can store and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string_view>

#include "config/config_format.h"

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
  return 0;
}

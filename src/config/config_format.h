#pragma once
// The bytes of "Orvando.cfg", without any I/O: the writer turns the two
// values into the exact written form, the reader turns any bytes into the
// values they hold. Text here is in the ANSI code page, one byte a character.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvando::config {

inline constexpr char kFileName[] = "Orvando.cfg";
inline constexpr char kHeader1[] = "NE PAS MODIFIER CE FICHIER";
inline constexpr char kHeader2[] = "Orvando station meteo ws-2300 ZR";
inline constexpr int kOptionCount = 5;  // interval options 0..4
// How long HeavyWeather runs, in minutes: the choices of "Durée mise en
// marche", the first the default.
inline constexpr uint8_t kRunMinutes[] = {2, 3, 5, 10};
inline constexpr uint8_t kDefaultRunMinutes = kRunMinutes[0];
inline constexpr char kDureeItem[] = "Duree";

// Two lines, four items, CR LF after each line:
//   "NE PAS MODIFIER CE FICHIER","Orvando station meteo ws-2300 ZR"
//   "<folder>",<index>
// and, for a run of another length than the default (files that earlier
// versions read stay byte for byte as they were), a third line:
//   "Duree",<minutes>
// The folder goes between quotes unchanged, so it must hold no quote.
std::string FormatConfig(std::string_view ansi_folder, uint8_t index,
                         uint8_t minutes = kDefaultRunMinutes);

// True when FormatConfig of this folder reads back as the same folder.
bool FolderWritable(std::string_view ansi_folder);

struct ParsedConfig {
  enum class Status {
    Read,      // read as written (or an empty file)
    Repaired,  // usable, but something was replaced or dropped (see flags)
    NoFolder,  // no folder could be read at all
  };
  Status status = Status::Read;
  bool has_folder = false;      // false for an empty file and for NoFolder
  std::string folder;           // ANSI bytes, when has_folder
  uint8_t index = 0;            // always 0..4
  bool index_replaced = false;  // missing or not 0..4: 0 used instead
  uint8_t minutes = kDefaultRunMinutes;  // always one of kRunMinutes
  bool minutes_replaced = false;         // a length not offered: the default used instead
  bool tail_dropped = false;    // items after the last whole group were ignored
};

ParsedConfig ParseConfig(std::string_view bytes);

}  // namespace orvando::config

// The settings file's bytes: the written form must stay byte for byte what
// earlier versions read, and the reader must take back every form a user or
// a damaged disk can leave, without ever inventing a folder.
#include <gtest/gtest.h>

#include "config/config_format.h"

namespace orvando::config {
namespace {

const std::string kLine1 =
    "\"NE PAS MODIFIER CE FICHIER\",\"Orvando station meteo ws-2300 ZR\"\r\n";

TEST(ConfigFormat_Write, ExactBytes) {
  EXPECT_EQ(FormatConfig("C:\\Meteo\\Station", 2), kLine1 + "\"C:\\Meteo\\Station\",2\r\n");
  EXPECT_EQ(FormatConfig("C:\\Meteo\\Station", 2).size(), 87u);
  EXPECT_EQ(FormatConfig("C:\\", 4), kLine1 + "\"C:\\\",4\r\n");
  EXPECT_EQ(FormatConfig("", 0), kLine1 + "\"\",0\r\n");
  // The default run length leaves the bytes as they were; another adds a line.
  EXPECT_EQ(FormatConfig("C:\\", 4, 2), kLine1 + "\"C:\\\",4\r\n");
  EXPECT_EQ(FormatConfig("C:\\", 4, 10), kLine1 + "\"C:\\\",4\r\n\"Duree\",10\r\n");
}

TEST(ConfigFormat_Read, WrittenFormsReadBack) {
  for (const std::string f : {"C:\\Meteo\\Station", "C:\\", "D:\\Station, 2", "",
                              " E:\\ blanks kept \t", "F:\\\xE9t\xE9"}) {
    for (uint8_t index = 0; index < kOptionCount; ++index) {
      const uint8_t minutes = kRunMinutes[index % std::size(kRunMinutes)];
      const ParsedConfig p = ParseConfig(FormatConfig(f, index, minutes));
      EXPECT_EQ(p.status, ParsedConfig::Status::Read) << f;
      EXPECT_EQ(p.folder, f);
      EXPECT_EQ(p.index, index);
      EXPECT_EQ(p.minutes, minutes);
    }
  }
}

using S = ParsedConfig::Status;

TEST(ConfigFormat_Read, Grammar) {
  struct Case {
    const char* name;
    std::string bytes;
    S status;
    std::string folder;
    int index;
    bool index_replaced, tail_dropped;
    int minutes = 2;
    bool minutes_replaced = false;
  };
  const Case cases[] = {
      {"hand-edited header", "\"x\",\"y\"\r\n\"C:\\M\",1\r\n", S::Read, "C:\\M", 1, false, false},
      {"two groups", kLine1 + "\"C:\\A\",1\r\n" + kLine1 + "\"C:\\B\",3\r\n", S::Read, "C:\\B", 3,
       false, false},
      {"four lines", "\"h\"\r\n\"h\"\r\n\"C:\\M\"\r\n2\r\n", S::Read, "C:\\M", 2, false, false},
      {"one line", "\"h\",\"h\",\"C:\\M\",2\r\n", S::Read, "C:\\M", 2, false, false},
      {"no final line end", kLine1 + "\"C:\\M\",4", S::Read, "C:\\M", 4, false, false},
      {"lone CR and LF", "h\rh\n\"C:\\M\"\n3", S::Read, "C:\\M", 3, false, false},
      {"blanks, text after quote", " h ,\th\t\r\n \"C:\\M\" x , 02 \r\n", S::Read, "C:\\M", 2,
       false, false},
      {"unquoted folder", "h,h,C:\\Mes donnees,1\r\n", S::Read, "C:\\Mes donnees", 1, false, false},
      {"quoted index", "h,h,\"C:\\M\",\"3\"", S::Read, "C:\\M", 3, false, false},
      {"empty file", "", S::Read, "", 0, false, false},
      {"index 5", kLine1 + "\"C:\\M\",5\r\n", S::Repaired, "C:\\M", 0, true, false},
      {"index 256", kLine1 + "\"C:\\M\",256\r\n", S::Repaired, "C:\\M", 0, true, false},
      {"index huge", kLine1 + "\"C:\\M\",99999999999999999999\r\n", S::Repaired, "C:\\M", 0, true,
       false},
      {"index text", kLine1 + "\"C:\\M\",deux\r\n", S::Repaired, "C:\\M", 0, true, false},
      {"index signed", kLine1 + "\"C:\\M\",-1\r\n", S::Repaired, "C:\\M", 0, true, false},
      {"index empty", kLine1 + "\"C:\\M\",\r\n", S::Repaired, "C:\\M", 0, true, false},
      {"cut after folder", kLine1 + "\"C:\\M\"", S::Repaired, "C:\\M", 0, true, false},
      {"extra empty line", kLine1 + "\"C:\\M\",1\r\n\r\n", S::Repaired, "C:\\M", 1, false, true},
      {"partial second group", kLine1 + "\"C:\\A\",1\r\n" + kLine1 + "\"C:\\B\"", S::Repaired,
       "C:\\A", 1, false, true},
      {"cut inside folder", kLine1 + "\"C:\\Met", S::NoFolder, "", 0, false, false},
      {"header only", kLine1, S::NoFolder, "", 0, false, false},
      {"empty folder, cut", kLine1 + "\"\"", S::NoFolder, "", 0, false, false},
      {"one empty line", "\r\n", S::NoFolder, "", 0, false, false},
      {"run length", kLine1 + "\"C:\\M\",1\r\n\"Duree\",5\r\n", S::Read, "C:\\M", 1, false, false,
       5},
      {"run length of the last group",
       kLine1 + "\"C:\\A\",1\r\n\"Duree\",3\r\n" + kLine1 + "\"C:\\B\",2\r\n\"Duree\",10", S::Read,
       "C:\\B", 2, false, false, 10},
      {"run length unknown", kLine1 + "\"C:\\M\",1\r\n\"Duree\",7\r\n", S::Repaired, "C:\\M", 1,
       false, false, 2, true},
      {"run length cut", kLine1 + "\"C:\\M\",1\r\n\"Duree\"", S::Repaired, "C:\\M", 1, false, false,
       2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ParsedConfig p = ParseConfig(c.bytes);
    EXPECT_EQ(p.status, c.status);
    EXPECT_EQ(p.folder, c.folder);
    EXPECT_EQ(p.has_folder, c.status != S::NoFolder && !c.bytes.empty());
    EXPECT_EQ(p.index, c.index);
    EXPECT_EQ(p.index_replaced, c.index_replaced);
    EXPECT_EQ(p.tail_dropped, c.tail_dropped);
    EXPECT_EQ(p.minutes, c.minutes);
    EXPECT_EQ(p.minutes_replaced, c.minutes_replaced);
  }
}

}  // namespace
}  // namespace orvando::config

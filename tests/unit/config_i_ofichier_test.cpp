// I_Ofichier against an in-memory disk: where the file goes, what a failed
// write leaves behind, and the whole start-up read (read, select the option,
// whose handler rewrites the file).
#include <gtest/gtest.h>

#include "config/i_ofichier.h"
#include "fake_files.h"
#include "fake_messages.h"

namespace orvando::test {
namespace {

const std::string kPath = "C:\\Orvando\\Orvando.cfg";
const std::string kLine1 =
    "\"NE PAS MODIFIER CE FICHIER\",\"Orvando station meteo ws-2300 ZR\"\r\n";
const std::string kExample = kLine1 + "\"C:\\Meteo\\Station\",2\r\n";

// Stands in for the main window: selecting an option runs its click handler,
// which stores the index and rewrites the file when it is present.
class RewritingSelector : public OptionSelector {
 public:
  explicit RewritingSelector(I_Ofichier& config) : config_(config) {}
  void SelectOption(int index) override {
    selected.push_back(index);
    folder_when_selected = config_.CheminHW;
    config_.IndexDuree = static_cast<uint8_t>(index);
    if (config_.ConfigPresent()) config_.EcrireConfig();
  }
  std::vector<int> selected;
  std::string folder_when_selected;

 private:
  I_Ofichier& config_;
};

struct Fixture {
  FakeFiles files;
  FakeMessages messages;
  RewritingSelector selector{config};
  I_Ofichier config{files, messages, &selector};
};

TEST(IOfichier_Path, JoinsFolderAndNameAsTheyAre) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Orvando", "C:\\Orvando\\Orvando.cfg"},
      {"C:\\", "C:\\\\Orvando.cfg"},
      {"D:\\Mes programmes\\Météo", "D:\\Mes programmes\\Météo\\Orvando.cfg"},
  };
  for (const auto& [folder, path] : cases) {
    Fixture f;
    f.files.program_folder = folder;
    EXPECT_EQ(f.config.ConfigPath(), path);
    f.config.CheminHW = "C:\\";
    ASSERT_TRUE(f.config.EcrireConfig());
    EXPECT_EQ(f.files.Content(path), kLine1 + "\"C:\\\",0\r\n");
  }
}

TEST(IOfichier_Present, OnlyOrdinaryFilesCount) {
  const std::pair<bool FakeFile::*, bool> cases[] = {
      {nullptr, true},
      {&FakeFile::read_only, true},
      {&FakeFile::hidden, false},
      {&FakeFile::system, false},
      {&FakeFile::folder, false},
  };
  for (const auto& [flag, present] : cases) {
    Fixture f;
    f.files.files[kPath].bytes = kExample;
    if (flag) f.files.files[kPath].*flag = true;
    EXPECT_EQ(f.config.ConfigPresent(), present);
  }
  EXPECT_FALSE(Fixture().config.ConfigPresent());
}

TEST(IOfichier_Write, FailureKeepsOldFileAndValuesAndSaysSoOnce) {
  const std::pair<const char*, void (*)(FakeFiles&)> cases[] = {
      {"read-only", [](FakeFiles& fs) { fs.files[kPath].read_only = true; }},
      {"locked", [](FakeFiles& fs) { fs.files[kPath].locked = true; }},
      {"interrupted", [](FakeFiles& fs) { fs.fail_before_replace = true; }},
  };
  for (const auto& [name, spoil] : cases) {
    SCOPED_TRACE(name);
    Fixture f;
    f.files.files[kPath].bytes = kExample;
    spoil(f.files);
    f.config.CheminHW = "D:\\Autre";
    f.config.IndexDuree = 4;
    EXPECT_FALSE(f.config.EcrireConfig());
    EXPECT_EQ(f.files.files[kPath].bytes, kExample);
    EXPECT_EQ(f.config.CheminHW, "D:\\Autre");
    EXPECT_EQ(f.config.IndexDuree, 4);
    ASSERT_EQ(f.messages.errors.size(), 1u);
    EXPECT_NE(f.messages.errors[0].find(kPath), std::string::npos);
  }
}

TEST(IOfichier_Write, FoldersOutsideTheCodePage) {
  Fixture f;
  f.files.files[kPath].bytes = kExample;
  f.config.CheminHW = "C:\\Météo";  // in the code page: stored as one byte 0xE9
  ASSERT_TRUE(f.config.EcrireConfig());
  EXPECT_EQ(f.files.Content(kPath), kLine1 + "\"C:\\M\xE9t\xE9o\",0\r\n");

  f.config.CheminHW = "C:\\Станция";
  f.files.short_paths[f.config.CheminHW] = "C:\\8D2A~1";
  ASSERT_TRUE(f.config.EcrireConfig());
  EXPECT_EQ(f.config.CheminHW, "C:\\8D2A~1");  // memory holds what the file holds
  EXPECT_EQ(f.files.Content(kPath), kLine1 + "\"C:\\8D2A~1\",0\r\n");

  const std::string before = f.files.Content(kPath);
  for (const std::string folder : {"C:\\気象", "C:\\a\"b"}) {
    f.messages.errors.clear();
    f.config.CheminHW = folder;
    EXPECT_FALSE(f.config.EcrireConfig());
    EXPECT_EQ(f.config.CheminHW, folder);
    EXPECT_EQ(f.files.Content(kPath), before);
    ASSERT_EQ(f.messages.errors.size(), 1u);
    EXPECT_NE(f.messages.errors[0].find(folder), std::string::npos);
  }
}

TEST(IOfichier_Read, StartUpReadsSelectsAndRewrites) {
  using R = I_Ofichier::ReadOutcome;
  struct Case {
    const char* name;
    std::string bytes;
    R outcome;
    std::string folder;
    int selected;  // -1: none
    size_t messages;
    std::string after;
  };
  const Case cases[] = {
      {"as written", kExample, R::Read, "C:\\Meteo\\Station", 2, 0, kExample},
      {"two groups, edited header", "a,b,\"C:\\A\",1\r\n\"x\",\"y\"\r\n\"C:\\Meteo\\Station\",2",
       R::Read, "C:\\Meteo\\Station", 2, 0, kExample},
      {"empty: as a first start, left as it is", "", R::NoFolder, "", -1, 1, ""},
      {"no folder named", kLine1 + "\"\",0\r\n", R::NoFolder, "", -1, 1, kLine1 + "\"\",0\r\n"},
      {"latin-1 folder", kLine1 + "\"C:\\M\xE9t\xE9o\",3\r\n", R::Read, "C:\\Météo", 3, 0,
       kLine1 + "\"C:\\M\xE9t\xE9o\",3\r\n"},
      {"index out of range", kLine1 + "\"C:\\Meteo\\Station\",7\r\n", R::Repaired,
       "C:\\Meteo\\Station", 0, 1, kLine1 + "\"C:\\Meteo\\Station\",0\r\n"},
      {"truncated after a group", kExample + kLine1, R::Repaired, "C:\\Meteo\\Station", 2, 1,
       kExample},
      {"truncated folder", kLine1 + "\"C:\\Met", R::NoFolder, "", -1, 1, kLine1 + "\"C:\\Met"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.files.files[kPath].bytes = c.bytes;
    EXPECT_EQ(f.config.LireConfig(), c.outcome);
    EXPECT_EQ(f.config.CheminHW, c.folder);
    EXPECT_EQ(f.selector.selected,
              c.selected < 0 ? std::vector<int>{} : std::vector<int>{c.selected});
    if (c.selected >= 0) {
      EXPECT_EQ(f.selector.folder_when_selected, c.folder);
    }
    EXPECT_EQ(f.messages.errors.size(), c.messages);
    EXPECT_EQ(f.files.Content(kPath), c.after);
  }
}

// Held by another program for a moment (a backup at sign-in) is not a file
// without a folder: nothing is read, selected or told, and it can be tried
// again. Any other failure to read sends the user back to installation.
TEST(IOfichier_Read, ABusyFileIsTriedAgainAnUnreadableOneGoesBackToInstallation) {
  for (const bool busy : {true, false}) {
    SCOPED_TRACE(busy ? "busy" : "a folder in its place");
    Fixture f;
    f.files.files[kPath].bytes = kExample;
    (busy ? f.files.files[kPath].locked : f.files.files[kPath].folder) = true;
    EXPECT_EQ(f.config.LireConfig(),
              busy ? I_Ofichier::ReadOutcome::Busy : I_Ofichier::ReadOutcome::NoFolder);
    EXPECT_TRUE(f.selector.selected.empty());
    EXPECT_EQ(f.config.CheminHW, "");
    EXPECT_EQ(f.messages.errors.size(), busy ? 0u : 1u);
    EXPECT_NE((busy ? f.config.ReadError() : f.messages.errors.at(0)).find(kPath),
              std::string::npos);
  }
}

}  // namespace
}  // namespace orvando::test

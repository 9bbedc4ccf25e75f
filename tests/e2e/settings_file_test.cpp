// A start with Orvando.cfg already there: read, selected, rewritten in the
// written form; a damaged or read-only file gets its French message and the
// program goes on.
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <vector>

#include "scenario.h"

namespace orvando::test {
namespace {

constexpr const char* kHeader =
    "\"NE PAS MODIFIER CE FICHIER\",\"Orvando station meteo ws-2300 ZR\"";

struct StartCase {
  const char* name;
  // The file before the start, from the station's folder in ANSI.
  std::string (*file)(const std::string& folder);
  const wchar_t* selected;            // the option shown once started
  std::vector<std::wstring> message;  // what the message says; empty: none
  bool installation;                  // the installation window opens
  int rewritten_index;                // -1: the file keeps its bytes
};

const StartCase kStartCases[] = {
    {"WrittenForm",
     [](const std::string& f) { return std::string(kHeader) + "\r\n\"" + f + "\",2\r\n"; },
     L"1 h",
     {},
     false,
     2},
    {"EditedHeaderOnFourLines",
     [](const std::string& f) { return "\"autre\"\r\n\"texte\"\r\n\"" + f + "\"\r\n3"; },
     L"3 h",
     {},
     false,
     3},
    {"IndexNine",
     [](const std::string& f) { return std::string(kHeader) + "\r\n\"" + f + "\",9\r\n"; },
     L"15 mn",
     {L"incomplet ou abîmé", L"remplacé par", L"15 mn", L"Orvando.cfg"},
     false,
     0},
    {"CutAfterTheHeader",
     [](const std::string&) { return std::string(kHeader) + "\r\n"; },
     nullptr,
     {L"illisible", L"Orvando.cfg", L"choisir à nouveau"},
     true,
     -1},
};

// Test names carry the case's name; so do failure reports.
void PrintTo(const StartCase& c, std::ostream* out) {
  *out << c.name;
}

class E2e_StartWithFile : public Scenario, public ::testing::WithParamInterface<StartCase> {};

TEST_P(E2e_StartWithFile, ReadsSelectsAndRewrites) {
  const StartCase& c = GetParam();
  const std::string before = c.file(Ansi(StationFolder()));
  ASSERT_TRUE(WriteConfig(before));
  ASSERT_TRUE(StartOrvando());

  if (!c.message.empty()) {
    HWND box = WaitForMessageBox(orvando.pid(), kStartMs);
    ASSERT_TRUE(box) << "no message";
    const std::wstring text = MessageText(box);
    for (const auto& part : c.message)
      EXPECT_NE(text.find(part), std::wstring::npos) << Narrow(part) << " not in " << Narrow(text);
    ASSERT_TRUE(AnswerOk(box));
  }
  if (c.installation) {
    HWND install = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (install = FindTopWindow(orvando.pid(), kInstallTitle)); }, kStartMs));
    EXPECT_FALSE(FindMainWindow(orvando.pid()));
    EXPECT_FALSE(IsWindowEnabled(FindChild(install, L"Button", L"OK")));
    EXPECT_TRUE(orvando.Running());
    // Left as it was until a folder is chosen: not rewritten with an empty one.
    EXPECT_EQ(ConfigBytes(), before);
    return;
  }
  ASSERT_TRUE(WaitForMainWindow()) << "no main window";
  EXPECT_FALSE(FindTopWindow(orvando.pid(), kInstallTitle));
  EXPECT_TRUE(IsChecked(OptionButton(main, c.selected)));
  EXPECT_EQ(ConfigBytes(), WrittenConfig(StationFolder(), c.rewritten_index));
  EXPECT_TRUE(ClockRuns(main));
  EXPECT_FALSE(FindMessageBox(orvando.pid()));
  QuitAnsweringYes(main);
}

INSTANTIATE_TEST_SUITE_P(Files, E2e_StartWithFile, ::testing::ValuesIn(kStartCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A file the user made read-only: read and used, left as it was, and each
// rewrite that cannot happen says so, one message at a time.
using E2e_ReadOnlyFile = Scenario;

TEST_F(E2e_ReadOnlyFile, IsUsedAndEachFailedRewriteIsTold) {
  const std::string before = WrittenConfig(StationFolder(), 1);
  ASSERT_TRUE(WriteConfig(before));
  ASSERT_TRUE(SetFileAttributesW(ConfigPath().c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(StartOrvando());

  const auto expect_write_failure = [&] {
    HWND box = WaitForMessageBox(orvando.pid(), kStartMs);
    ASSERT_TRUE(box) << "no message";
    const std::wstring text = MessageText(box);
    for (const wchar_t* part : {L"Impossible d'enregistrer", L"Orvando.cfg", L"lecture seule"})
      EXPECT_NE(text.find(part), std::wstring::npos) << Narrow(part) << " not in " << Narrow(text);
    ASSERT_TRUE(AnswerOk(box));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  };
  expect_write_failure();
  ASSERT_TRUE(WaitForMainWindow()) << "no main window";
  EXPECT_TRUE(IsChecked(OptionButton(main, L"30 mn")));

  // A new interval takes effect though it cannot be stored.
  Click(OptionButton(main, L"1 h"));
  expect_write_failure();
  EXPECT_TRUE(IsChecked(OptionButton(main, L"1 h")));
  EXPECT_FALSE(FindMessageBox(orvando.pid()));
  EXPECT_TRUE(ClockRuns(main));
  EXPECT_EQ(ConfigBytes(), before);
  EXPECT_TRUE(GetFileAttributesW(ConfigPath().c_str()) & FILE_ATTRIBUTE_READONLY);
  QuitAnsweringYes(main);
}

// Started by Windows while a backup holds a damaged settings file (for
// ORVANDO_E2E_HOLD_MS, 3 s unless set): armed once it reads, with what it
// found in the notice, and no box waiting for anyone.
using E2e_HeldAtSignIn = Scenario;

TEST_F(E2e_HeldAtSignIn, ADamagedFileIsReadOnceLetGoAndArmsWithNobodyThere) {
  const char* hold = std::getenv("ORVANDO_E2E_HOLD_MS");
  const DWORD hold_ms = hold ? static_cast<DWORD>(std::atoi(hold)) : 3000;
  ASSERT_TRUE(WriteConfig(std::string(kHeader) + "\r\n\"" + Ansi(StationFolder()) + "\",9\r\n"));
  const HANDLE held =
      CreateFileW(ConfigPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(orvando.Start(OrvandoExe(), Folder(), L"/start"));
  ASSERT_TRUE(WaitForMainWindow()) << "no main window";
  Sleep(hold_ms);  // the backup's own time
  EXPECT_EQ(TextOf(StartStopButton(main)), L"Start") << "armed before the file was read";
  CloseHandle(held);
  const ULONGLONG released = GetTickCount64();
  ASSERT_TRUE(WaitFor([&] { return TextOf(StartStopButton(main)) == L"Stop"; }, 60000))
      << "not armed";
  const ULONGLONG armed_after = GetTickCount64() - released;
  const HWND notice = FindNotice(orvando.pid());
  ASSERT_TRUE(notice) << "no notice";
  const std::wstring text = MessageText(notice);
  EXPECT_NE(text.find(L"incomplet ou abîmé"), std::wstring::npos) << Narrow(text);
  EXPECT_FALSE(FindMessageBox(orvando.pid())) << "a box waits for someone";
  EXPECT_TRUE(IsChecked(OptionButton(main, L"15 mn")));
  std::printf("held %lu ms; armed %llu ms after its release; the notice:\n%s\n",
              static_cast<unsigned long>(hold_ms), armed_after, Narrow(text).c_str());
  QuitAnsweringYes(main);
}

}  // namespace
}  // namespace orvando::test

// The main window's start-up sequence and handlers against fakes: which file
// is read and written, which window opens, what the user is asked.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "form_timer_rig.h"

namespace orvando::test {
namespace {

const std::string kPath = "C:\\Orvando\\Orvando.cfg";
const std::string kHeader =
    "\"NE PAS MODIFIER CE FICHIER\",\"Orvando station meteo ws-2300 ZR\"\r\n";

std::string Written(const std::string& folder, int index) {
  return kHeader + "\"" + folder + "\"," + std::to_string(index) + "\r\n";
}

using Program = FormTimerRig;

// A second copy touches nothing. Started by hand it brings the copy that
// runs to the front, or says it runs where it can't; by Windows, nothing.
TEST(FormTimer_Startup, SecondCopyEndsBeforeTouchingAnything) {
  struct Case {
    bool start_switch;
    bool other_answers;  // false: another user's copy, or an elevated one
    int shown;
    size_t errors;
  } cases[] = {{false, true, 1, 0}, {false, false, 1, 1}, {true, true, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.start_switch << c.other_answers);
    Program p;
    p.files.files[kPath].bytes = Written("C:\\Meteo", 3);
    p.instance.another = true;
    p.instance.other_answers = c.other_answers;
    EXPECT_FALSE(p.form.Form_Load(c.start_switch));
    EXPECT_EQ(p.instance.shown, c.shown);
    ASSERT_EQ(p.messages.errors.size(), c.errors);
    if (c.errors) {
      EXPECT_NE(p.messages.errors[0].find("déjà"), std::string::npos);
    }
    EXPECT_EQ(p.view.events, std::vector<std::string>{"topmost"});
    EXPECT_EQ(p.files.replace_calls, 0);
    EXPECT_EQ(p.install.shows, 0);
    EXPECT_EQ(p.form.Duree, "");
    EXPECT_TRUE(p.messages.questions.empty());
  }
}

// A settings file another program holds at sign-in (a backup, a virus scan)
// is read again from the alarm for up to 2 minutes, and the schedule armed
// as soon as it reads; it is never taken for a first start, and never
// rewritten unread.
TEST(FormTimer_Startup, ASettingsFileHeldByAnotherProgramIsReadAgain) {
  struct Case {
    const char* name;
    int64_t held_ms;  // -1: for good
    bool start_switch;
    const char* caption;
  } cases[] = {
      {"held a moment, /start", 300, true, "Stop"}, {"held 30 s, /start", 30000, true, "Stop"},
      {"held 119 s, /start", 119000, true, "Stop"}, {"held for good, /start", -1, true, "Start"},
      {"held a moment", 300, false, "Start"},       {"held for good", -1, false, "Start"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Program p;
    p.files.files[kPath].bytes = Written("C:\\Meteo", 3);
    p.files.files[kPath].locked_until_ms =
        c.held_ms < 0 ? INT64_MAX : p.clock.MonotonicMs() + c.held_ms;
    const int64_t start = p.clock.MonotonicMs();
    ASSERT_TRUE(p.form.Form_Load(c.start_switch));
    EXPECT_EQ(p.form.Duree, "15") << "a first option before the first tick";
    p.settings_alarm.RunOut();

    const bool read = c.held_ms >= 0;
    EXPECT_EQ(p.form.Command1Caption, c.caption);
    EXPECT_EQ(p.install.shows, 0);
    EXPECT_EQ(p.files.Content(kPath), Written("C:\\Meteo", 3));
    EXPECT_EQ(p.config.CheminHW, read ? "C:\\Meteo" : "");
    EXPECT_EQ(p.form.Duree, read ? "3" : "15");
    EXPECT_LE(p.clock.MonotonicMs() - start, read ? c.held_ms + 500 : 120000);
    // Never read: said once, naming the file, in the notice when nobody may
    // be at the PC.
    const auto& told = c.start_switch ? p.messages.notices : p.messages.errors;
    ASSERT_EQ(told.size(), read ? 0u : 1u);
    if (!read) {
      EXPECT_NE(told[0].find(kPath), std::string::npos) << told[0];
    }
    EXPECT_EQ(p.messages.notices.size() + p.messages.errors.size(), told.size());
  }
}

// Started by Windows, a held file read at last tells what it found in the
// notice, which waits for nobody, and only once the schedule is armed.
TEST(FormTimer_Startup, AtSignInWhatALaterReadFindsWaitsForNobody) {
  struct Case {
    const char* name;
    std::string content;
    bool read_only;
    int64_t held_ms;  // -1: for good
    const char* told;
    const char* caption;  // when told
  } cases[] = {
      {"repaired", Written("C:\\Meteo", 7), false, 300, "abîmé", "Stop"},
      {"rewrite refused", Written("C:\\Meteo", 3) + "\"Duree\",7\r\n", true, 300, "lecture seule",
       "Stop"},
      {"no folder", kHeader, false, 300, "illisible", "Start"},
      {"never read", Written("C:\\Meteo", 3), false, -1, "réessayé", "Start"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Program p;
    p.files.files[kPath] = {.bytes = c.content, .read_only = c.read_only};
    p.files.files[kPath].locked_until_ms =
        c.held_ms < 0 ? INT64_MAX : p.clock.MonotonicMs() + c.held_ms;
    std::vector<std::string> captions;
    p.messages.on_notice = [&] { captions.push_back(p.form.Command1Caption); };
    ASSERT_TRUE(p.form.Form_Load(true));
    p.settings_alarm.RunOut();
    EXPECT_TRUE(p.messages.errors.empty());
    ASSERT_EQ(p.messages.notices.size(), 1u);
    EXPECT_NE(p.messages.notices[0].find(c.told), std::string::npos) << p.messages.notices[0];
    EXPECT_EQ(captions, std::vector<std::string>{c.caption});
  }
}

// The owner picks "6 h" and 10 minutes while the file is held: once it
// reads, its folder is taken and those choices are written with it.
TEST(FormTimer_Startup, ChoicesMadeWhileTheFileIsHeldWinOverIt) {
  Program p;
  p.files.files[kPath].bytes = Written("C:\\Meteo", 1);
  p.files.files[kPath].locked_until_ms = p.clock.MonotonicMs() + 3000;
  ASSERT_TRUE(p.form.Form_Load(true));
  p.form.SelectOption(4);
  p.form.menuDuree_Click(3);
  p.settings_alarm.RunOut();
  EXPECT_EQ(p.config.CheminHW, "C:\\Meteo");
  EXPECT_EQ(p.form.Duree, "6");
  EXPECT_EQ(p.view.option, 4);
  EXPECT_EQ(p.files.Content(kPath), Written("C:\\Meteo", 4) + "\"Duree\",10\r\n");
  EXPECT_EQ(p.form.Command1Caption, "Stop");
  EXPECT_NE(p.files.Content("C:\\Orvando\\Orvando.log").find("intervalle « 6 h »"),
            std::string::npos);
}

TEST(FormTimer_Startup, WhatTheSettingsFileDecides) {
  struct Case {
    const char* name;
    std::string content;  // empty: no file
    bool hidden;
    int option;
    const char* duree;
    int install_shows;
    std::string after;  // the file once started ("<absent>" when none)
    size_t errors;
  };
  const Case cases[] = {
      {"first start", "", false, 0, "15", 1, "<absent>", 0},
      {"hidden file counts as absent", Written("C:\\Meteo", 3), true, 0, "15", 1, "<absent>", 0},
      {"stored 3 h", Written("C:\\Meteo", 3), false, 3, "3", 0, Written("C:\\Meteo", 3), 0},
      {"hand-edited header is put back", "\"a\",\"b\"\r\n\"C:\\Meteo\",4\r\n", false, 4, "6", 0,
       Written("C:\\Meteo", 4), 0},
      {"two groups: the last wins", Written("C:\\A", 1) + Written("C:\\B", 2), false, 2, "1", 0,
       Written("C:\\B", 2), 0},
      {"bad index: first option, user told", Written("C:\\Meteo", 7), false, 0, "15", 0,
       Written("C:\\Meteo", 0), 1},
      {"run length kept", Written("C:\\Meteo", 3) + "\"Duree\",5\r\n", false, 3, "3", 0,
       Written("C:\\Meteo", 3) + "\"Duree\",5\r\n", 0},
      {"unknown run length: 2 minutes, user told", Written("C:\\Meteo", 3) + "\"Duree\",7\r\n",
       false, 3, "3", 0, Written("C:\\Meteo", 3), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Program p;
    if (!c.content.empty()) {
      p.files.files[kPath].bytes = c.content;
      p.files.files[kPath].hidden = c.hidden;
    }
    EXPECT_TRUE(p.form.Form_Load());
    EXPECT_EQ(p.view.option, c.option);
    EXPECT_EQ(p.form.OptionSelected, c.option);
    EXPECT_EQ(p.form.Duree, c.duree);
    EXPECT_EQ(p.config.IndexDuree, c.option);
    EXPECT_EQ(p.install.shows, c.install_shows);
    EXPECT_EQ(p.files.Content(kPath), c.after);
    EXPECT_EQ(p.messages.errors.size(), c.errors);
    EXPECT_EQ(p.view.events.front(), "topmost");
  }
}

// A file with no readable folder sends the program to the installation window
// and stays as it is until a folder is chosen: rewritten with an empty folder,
// it would read back as valid and the next start would not ask again. An
// empty file (a write cut short) and one that names no folder are the same.
TEST(FormTimer_Startup, FileWithoutAFolderWaitsForOneBeforeItIsRewritten) {
  for (const std::string& content : {kHeader, std::string(), kHeader + "\"\",0\r\n"}) {
    SCOPED_TRACE(content);
    Program p;
    p.files.files[kPath].bytes = content;
    EXPECT_TRUE(p.form.Form_Load());
    EXPECT_EQ(p.install.shows, 1);
    EXPECT_EQ(p.messages.errors.size(), 1u);
    EXPECT_EQ(p.form.Duree, "15");
    EXPECT_EQ(p.files.Content(kPath), content);

    p.config.CheminHW = "C:\\Meteo";  // as the installation window sets it
    p.form.SelectOption(2);
    EXPECT_EQ(p.files.Content(kPath), Written("C:\\Meteo", 2));
  }
}

// Started by Windows with /start: armed before the first tick, but only with
// a folder to run; the PC is then kept awake for as long as it stays armed.
TEST(FormTimer_Startup, StartSwitchArmsOnlyWithAFolder) {
  struct Case {
    const char* name;
    std::string content;  // empty: no file
    bool start_switch;
    const char* caption;
  };
  const Case cases[] = {
      {"settings file with a folder", Written("C:\\Meteo", 1), true, "Stop"},
      {"without the switch", Written("C:\\Meteo", 1), false, "Start"},
      {"first start", "", true, "Start"},
      {"file without a folder", kHeader, true, "Start"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Program p;
    if (!c.content.empty()) p.files.files[kPath].bytes = c.content;
    ASSERT_TRUE(p.form.Form_Load(c.start_switch));
    EXPECT_EQ(p.form.Command1Caption, c.caption);
    EXPECT_EQ(p.view.command1, c.caption);
    EXPECT_EQ(p.power.held, std::string(c.caption) == "Stop");
  }
}

TEST(FormTimer_Startup, StartSwitchAmongTheArguments) {
  const std::pair<const char*, bool> cases[] = {
      {"/start", true},     {"-START", true}, {"\"/Start\"", true},
      {"x /start y", true}, {"", false},      {"start", false},
      {"/started", false},  {"/stop", false}, {"\"C:\\a b\" -x", false},
  };
  for (const auto& [arguments, given] : cases)
    EXPECT_EQ(StartSwitchGiven(arguments), given) << arguments;
}

TEST(FormTimer_Power, TheRequestFollowsTheArmedStateAndGoesWithTheProgram) {
  Program p;
  ASSERT_TRUE(p.form.Form_Load());
  p.form.Command1_Click();  // Start
  p.form.Command1_Click();  // Stop
  p.form.Command1_Click();  // Start
  EXPECT_TRUE(p.power.held);
  EXPECT_TRUE(p.form.Unload());
  EXPECT_EQ(p.power.calls, (std::vector<bool>{true, false, true, false}));
}

TEST(FormTimer_Menu, ChangeFolderHelpAndHistory) {
  for (const bool history_written : {true, false}) {
    SCOPED_TRACE(history_written);
    Program p;
    p.files.fail_appends = !history_written;
    ASSERT_TRUE(p.form.Form_Load());
    p.form.menuModifFichier_Click();
    EXPECT_EQ(p.install.changes, 1);
    p.form.menuAide_Click();
    ASSERT_EQ(p.messages.informations.size(), 1u);
    EXPECT_NE(p.messages.informations[0].find(kPath), std::string::npos);
    // The history opens in the user's editor; before there is one, a
    // message says so.
    p.form.menuHistorique_Click();
    EXPECT_EQ(p.shell.documents.size(), history_written ? 1u : 0u);
    EXPECT_EQ(p.messages.informations.size(), history_written ? 1u : 2u);
  }
}

TEST(FormTimer_StartWithWindows, TheMenuItemFollowsTheRunValue) {
  const std::string mine = "\"C:\\Orvando\\Orvando.exe\" /start";
  struct Case {
    const char* name;
    std::string before;  // the Run value; empty: none
    bool turned_off;     // in Task Manager's start-up list
    bool refuse, checked;
    std::string after;
    bool signs_in = false;  // Windows opens the session by itself after a restart
  };
  const Case cases[] = {
      {"none: written", "", false, false, false, mine},
      {"none: written, the session opens by itself", "", false, false, false, mine, true},
      {"this program, in another case: removed", "C:\\ORVANDO\\orvando.exe /start", false, false,
       true, ""},
      {"turned off: written and turned on", mine, true, false, false, mine},
      {"a moved copy: rewritten", "\"D:\\Old\\Orvando.exe\" /start", false, false, false, mine},
      {"without /start: rewritten", "\"C:\\Orvando\\Orvando.exe\"", false, false, false, mine},
      {"refused: unchanged, user told", "", false, true, false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Program p;
    p.run_key.value = c.before;
    p.run_key.turned_off = c.turned_off;
    p.run_key.refuse = c.refuse;
    p.run_key.signs_in = c.signs_in;
    EXPECT_EQ(p.form.menuDemarrage_Checked(), c.checked);
    p.form.menuDemarrage_Click();
    EXPECT_EQ(p.run_key.value, c.after);
    EXPECT_EQ(p.run_key.writes, c.after == mine ? 1 : 0);
    EXPECT_EQ(p.form.menuDemarrage_Checked(), c.after == mine);
    EXPECT_EQ(p.messages.errors.size(), c.refuse ? 1u : 0u);
    // Turned on, it says what a restart needs with nobody at the PC, unless
    // Windows signs in by itself; "Aide" says which.
    const bool advice = c.after == mine && !c.signs_in;
    ASSERT_EQ(p.messages.informations.size(), advice ? 1u : 0u);
    if (advice) {
      EXPECT_NE(p.messages.informations[0].find("netplwiz"), std::string::npos);
    }
    p.form.menuAide_Click();
    EXPECT_NE(p.messages.informations.back().find(c.signs_in ? "est réglée pour ce compte"
                                                             : "n'est pas réglée pour ce compte"),
              std::string::npos);
  }
}

TEST(FormTimer_Options, EachOptionSetsDureeAndRewritesOnlyAPresentFile) {
  const char* durees[] = {"15", "30", "1", "3", "6"};
  for (bool present : {true, false}) {
    Program p;
    if (present) p.files.files[kPath].bytes = Written("C:\\Meteo", 0);
    p.config.CheminHW = "C:\\Meteo";
    for (int i : {2, 4, 1, 3, 0}) {
      p.form.SelectOption(i);
      EXPECT_EQ(p.form.Duree, durees[i]);
      EXPECT_EQ(p.config.IndexDuree, i);
      EXPECT_EQ(p.files.Content(kPath), present ? Written("C:\\Meteo", i) : "<absent>");
    }
  }
}

TEST(FormTimer_Options, SelectingTheSelectedOptionStillRunsItsHandler) {
  Program p;
  ASSERT_EQ(p.form.OptionSelected, 0);
  ASSERT_EQ(p.form.Duree, "");
  p.form.SelectOption(0);
  EXPECT_EQ(p.form.Duree, "15");
}

TEST(FormTimer_Options, FailedRewriteKeepsTheNewIntervalAndTellsTheUser) {
  Program p;
  p.files.files[kPath].bytes = Written("C:\\Meteo", 0);
  p.files.files[kPath].read_only = true;
  p.form.SelectOption(2);
  EXPECT_EQ(p.form.Duree, "1");
  EXPECT_EQ(p.config.IndexDuree, 2);
  EXPECT_EQ(p.messages.errors.size(), 1u);
  EXPECT_EQ(p.files.Content(kPath), Written("C:\\Meteo", 0));
}

TEST(FormTimer_Quit, QuestionDecidesTheUnload) {
  for (bool yes : {false, true}) {
    Program p;
    ASSERT_TRUE(p.form.Form_Load());
    p.form.Command1_Click();  // armed, and the answer No keeps it so
    p.messages.answer_yes = yes;
    EXPECT_EQ(p.form.Unload(), yes);
    ASSERT_EQ(p.messages.questions.size(), 1u);
    EXPECT_EQ(p.messages.questions[0], "Arr\xC3\xAAter le timer et quitter ?");
    EXPECT_EQ(p.form.Loaded(), !yes);
    EXPECT_EQ(p.about.unloads, yes ? 1 : 0);
    EXPECT_EQ(p.view.events.back() == "destroy", yes);
    EXPECT_EQ(p.form.Command1Caption, "Stop");
    EXPECT_EQ(p.Posts(), 0);  // a run under way is never closed on quit
  }
}

// The user quits while a close waits for HeavyWeather: the windows go at
// once; the close runs on to its bound and tells nobody, not even that this
// second run in a row recorded nothing.
TEST(FormTimer_Quit, YesDuringACloseLetsTheCloseRunOut) {
  Program p;
  ASSERT_TRUE(p.form.Form_Load());
  p.config.CheminHW = "C:\\Meteo";
  p.folders.files["C:\\Meteo"] = {{"history.dat", 36, 1}};  // nothing recorded
  p.form.Command1_Click();
  p.clock.Set(10, 14, 59, 15);
  p.Tick(301);                                 // 10:15, closed
  p.station.window_template.closes_after = 0;  // the second never goes
  p.Tick(120 + 15 * 60 - 301);                 // 10:30, closed at 10:31:59
  ASSERT_EQ(p.hw.Waiting(), OuvrFermHW::Wait::ForClose);
  EXPECT_TRUE(p.form.Unload());
  EXPECT_EQ(p.view.events.back(), "destroy");
  EXPECT_EQ(p.about.unloads, 1);
  p.alarm.RunOut();
  EXPECT_EQ(p.hw.Waiting(), OuvrFermHW::Wait::None);
  // One request at once, then one every 5 s until the 60 s bound.
  EXPECT_EQ(p.Posts(), 1 + 13);
  EXPECT_FALSE(p.hw.HWLance);
  EXPECT_TRUE(p.messages.notices.empty());
}

// Windows ending the session asks the question, shown meanwhile in its list
// of programs holding the restart; nobody is asked where nobody could answer.
TEST(FormTimer_Quit, EndOfSession) {
  struct Case {
    const char* name;
    bool critical, yes, may_end;
    size_t questions;
  };
  const Case cases[] = {{"Yes", false, true, true, 1},
                        {"No", false, false, false, 1},
                        {"critical", true, false, true, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Program p;
    p.messages.answer_yes = c.yes;
    EXPECT_EQ(p.form.QueryEndSession(c.critical), c.may_end);
    EXPECT_EQ(p.messages.questions.size(), c.questions);
    // After No the reason stays, for Windows' list, until Windows tells
    // whether the session ends after all.
    std::vector<std::string> reason;
    if (c.questions) reason.push_back("reason Arr\xC3\xAAter le timer et quitter ?");
    if (c.questions && c.yes) reason.push_back("reason ");
    EXPECT_EQ(p.view.events, reason);
    p.form.EndSession(false);
    EXPECT_EQ(p.view.events.back(), "reason ");
    EXPECT_TRUE(p.form.Loaded());
  }
  // The close box's question already on screen: the user had asked to quit.
  Program p;
  struct EndsWhileAsking : FakeMessages {
    FormTimer* form = nullptr;
    bool may_end = false;
    bool AskYesNo(const std::string&) override {
      may_end = form->QueryEndSession(false);
      return false;
    }
  } asking;
  FormTimer form{p.Links(asking)};
  asking.form = &form;
  EXPECT_FALSE(form.Unload());
  EXPECT_TRUE(asking.may_end);
}

TEST(FormTimer_Quit, SecondCloseRequestWhileAskingIsTurnedDown) {
  Program p;
  struct Nested : FakeMessages {
    FormTimer* form = nullptr;
    int16_t inner_cancel = 0;
    bool AskYesNo(const std::string&) override {
      if (form) {
        FormTimer* f = std::exchange(form, nullptr);
        f->Form_QueryUnload(inner_cancel, 0);
      }
      return true;
    }
  } nested;
  FormTimer form{p.Links(nested)};
  nested.form = &form;
  int16_t cancel = 0;
  form.Form_QueryUnload(cancel, 0);
  EXPECT_EQ(cancel, 0);
  EXPECT_EQ(nested.inner_cancel, 1);
}

}  // namespace
}  // namespace orvando::test

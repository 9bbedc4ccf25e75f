#include "windows/about.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_shell.h"

namespace orvando::test {
namespace {

class FakeAboutView : public AboutView {
 public:
  std::uintptr_t WindowHandle() const override { return handle; }
  void SetLabel1Underlined(bool on) override { label1.push_back(on); }
  void SetLabel2Underlined(bool on) override { label2.push_back(on); }
  void UnloadWindow() override { ++unloads; }

  std::uintptr_t handle = 0x1234;
  std::vector<bool> label1, label2;  // every change the view was told of
  int unloads = 0;
};

struct Fixture {
  Fixture() { about.Form_Load(); }
  FakeAboutView view;
  FakeShell shell;
  About about{view, shell};
};

TEST(About_LinkTexts, AreExactBytes) {
  EXPECT_EQ(About::MailLink(), "mailto:zr@example.org?Subject=Orvando");
  EXPECT_EQ(About::SiteAddress(), "http://www.example.org/");
  EXPECT_EQ(About::MailAddress(), "zr@example.org");
  EXPECT_EQ(About::Label5Text(), "ZR 2-2006");
  // The labels show the addresses the links open.
  EXPECT_NE(About::MailLink().find(About::MailAddress()), std::string::npos);
}

TEST(About_Load, StartsWithNoUnderline) {
  Fixture f;
  EXPECT_EQ(f.view.label1, std::vector<bool>{false});
  EXPECT_EQ(f.view.label2, std::vector<bool>{false});
  EXPECT_FALSE(f.about.label1_underlined());
  EXPECT_FALSE(f.about.label2_underlined());
}

TEST(About_Underline, FollowsThePointer) {
  // B = background, M = mail area, S = site area (banner included), N = a
  // place with no move handler (a label, the envelope, the title box, OK).
  struct Case {
    std::string moves;
    bool label1, label2;
  } cases[] = {
      {"", false, false},   {"M", true, false},    {"S", false, true},    {"MB", false, false},
      {"SB", false, false}, {"MN", true, false},   {"SN", false, true},   {"MS", true, true},
      {"SM", true, true},   {"MSB", false, false}, {"MNNM", true, false}, {"MSBS", false, true},
      {"B", false, false},  {"N", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("moves: " + c.moves);
    Fixture f;
    for (char m : c.moves) {
      if (m == 'B') f.about.Form_MouseMove();
      if (m == 'M') f.about.Mail_MouseMove();
      if (m == 'S') f.about.SiteZR_MouseMove();
    }
    EXPECT_EQ(f.about.label1_underlined(), c.label1);
    EXPECT_EQ(f.about.label2_underlined(), c.label2);
    EXPECT_EQ(f.view.label1.back(), c.label1);
    EXPECT_EQ(f.view.label2.back(), c.label2);
    EXPECT_TRUE(f.shell.calls.empty());
  }
}

TEST(About_Underline, TellsTheViewOnlyOfChanges) {
  Fixture f;
  for (int i = 0; i < 5; ++i) f.about.Mail_MouseMove();
  for (int i = 0; i < 5; ++i) f.about.Form_MouseMove();
  EXPECT_EQ(f.view.label1, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(f.view.label2, std::vector<bool>{false});
}

TEST(About_Clicks, EachPlaceOpensItsLink) {
  const FakeShell::Call mail{0x1234, "Open", "mailto:zr@example.org?Subject=Orvando"};
  const FakeShell::Call site{0x1234, "open", "http://www.example.org/"};
  struct Case {
    const char* place;
    void (About::*click)();
    FakeShell::Call expected;
  } cases[] = {
      {"Mail", &About::Mail_Click, mail},     {"Label1", &About::Label1_Click, mail},
      {"Image1", &About::Image1_Click, mail}, {"SiteZR", &About::SiteZR_Click, site},
      {"Label2", &About::Label2_Click, site}, {"Image2", &About::Image2_Click, site},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.place);
    Fixture f;
    (f.about.*c.click)();
    EXPECT_EQ(f.shell.calls, std::vector<FakeShell::Call>{c.expected});
    EXPECT_EQ(f.view.unloads, 0);
    // A click changes no underline.
    EXPECT_FALSE(f.about.label1_underlined() || f.about.label2_underlined());
  }
}

TEST(About_Clicks, OkUnloadsAndOpensNothing) {
  Fixture f;
  f.about.Command1_Click();
  EXPECT_EQ(f.view.unloads, 1);
  EXPECT_TRUE(f.shell.calls.empty());
}

}  // namespace
}  // namespace orvando::test

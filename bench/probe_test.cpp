// The driver's probes against the reference program under Wine: if Wine
// stopped showing a program's Windows path as its Linux command line, or the
// controls were no longer found by class and text, every figure of the
// table would be missing or wrong.
#include <gtest/gtest.h>

#include <string>

#include "probe_win32.h"
#include "tick_stats.h"

namespace orvando::bench {
namespace {

std::wstring ReferenceExe() {
  std::wstring path = L"Z:" + std::wstring(BENCH_REFERENCE_EXE,
                                           BENCH_REFERENCE_EXE + sizeof BENCH_REFERENCE_EXE - 1);
  for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
  return path;
}

TEST(BenchProbe_Reference, FoundAndMeasuredFromOutside) {
  Measured program;
  ASSERT_TRUE(program.Start(ReferenceExe()));
  HWND window = program.WaitForWindow(L"Reference", 20000);
  ASSERT_NE(window, nullptr);

  HWND clock = FindClockLabel(window);
  ASSERT_NE(clock, nullptr);
  EXPECT_GE(ShownSecondOfHour(Utf8(TextOf(clock))), 0);
  EXPECT_TRUE(ClickButton(FindChild(window, L"button", L"Start"), L"Stop"));
  EXPECT_EQ(FindChild(window, L"Button", L"Start"), nullptr);

  // Starting a Windows program costs CPU time and memory: both must be seen.
  const double cpu = program.CpuMs();
  EXPECT_GT(cpu, 0.0);
  EXPECT_GT(program.PeakWorkingSetKb(), 1024.0);
  Sleep(1100);  // one more tick at least
  EXPECT_GE(program.CpuMs(), cpu);

  program.End();
  EXPECT_FALSE(program.Running());
  EXPECT_TRUE(LinuxProcessDir(ReferenceExe()).empty());
}

TEST(BenchProbe_Reference, MissingProgramGivesNoFigures) {
  Measured program;
  EXPECT_FALSE(program.Start(L"Z:\\nowhere\\missing.exe"));
  EXPECT_FALSE(program.Running());
  EXPECT_EQ(program.WaitForWindow(L"Reference", 1000), nullptr);
  EXPECT_LT(program.CpuMs(), 0.0);
  EXPECT_LT(program.PeakWorkingSetKb(), 0.0);
  EXPECT_TRUE(LinuxProcessDir(L"").empty());
}

}  // namespace
}  // namespace orvando::bench

// DLLs load from System32 only: a DLL planted beside the program never loads.
#include <gtest/gtest.h>

#include "platform/win32/dyn_calls_win32.h"
#include "platform/win32/dyn_calls_win32.h"

namespace orvando::test {
namespace {

TEST(SystemDll, APlantedDllNeverLoads) {
  // orvando_planted.dll lies beside the tests, as a planted DLL would.
  HMODULE planted = LoadLibraryW(L"orvando_planted.dll");
  ASSERT_NE(planted, nullptr) << "the default search takes it";
  FreeLibrary(planted);
  win32::NewerApi without_search_flags = win32::Newer();  // Windows 7 without KB2533623
  without_search_flags.SetDefaultDllDirectories = nullptr;
  for (const win32::NewerApi& api : {win32::Newer(), without_search_flags}) {
    win32::ScopedNewerApi system_api(api);
    EXPECT_EQ(win32::LoadSystemDll(L"orvando_planted.dll"), nullptr);
    EXPECT_NE(win32::LoadSystemDll(L"shlwapi.dll"), nullptr);
  }
  win32::LimitDllSearchToSystem32();
  EXPECT_EQ(LoadLibraryW(L"orvando_planted.dll"), nullptr);
}

}  // namespace
}  // namespace orvando::test

// The program's pictures are linked in and load at the sizes we show them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "platform/win32/picture_win32.h"
#include "platform/win32/unique_handle_win32.h"
#include "resource_ids.h"

namespace orvando::test {
namespace {

using win32::UniqueBitmap;
using win32::UniqueIcon;

TEST(Pictures_Icons, LoadAtEverySizeShown) {
  for (int id : {IDI_ORVANDO, IDI_QUESTION_MARK, IDI_ENVELOPE}) {
    for (int px : {16, 32, 48}) {
      SCOPED_TRACE(testing::Message() << "icon " << id << " at " << px);
      const UniqueIcon icon =
          win32::LoadIconAt(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), px);
      ASSERT_TRUE(icon);
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(icon.get(), &info));
      UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
      BITMAP bitmap{};
      GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
      EXPECT_EQ(bitmap.bmWidth, px);
      EXPECT_EQ(bitmap.bmHeight, px);

      // Drawn as the windows draw it, over a background: the corners let it
      // through, and a picture covers the middle (the 32-bit images are PNG,
      // decoded with their alpha channel).
      constexpr DWORD kBackground = 0x00FF00FF;
      BITMAPINFO dib{};
      dib.bmiHeader = {sizeof dib.bmiHeader, px, -px, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
      void* bits = nullptr;
      UniqueBitmap canvas(CreateDIBSection(nullptr, &dib, DIB_RGB_COLORS, &bits, nullptr, 0));
      ASSERT_TRUE(canvas);
      auto* pixels = static_cast<DWORD*>(bits);
      std::fill_n(pixels, px * px, kBackground);
      {
        const win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        const win32::ScopedSelect selected(dc.get(), canvas.get());
        EXPECT_TRUE(DrawIconEx(dc.get(), 0, 0, icon.get(), px, px, 0, nullptr, DI_NORMAL));
      }
      EXPECT_EQ(pixels[0] & 0xFFFFFF, kBackground);
      EXPECT_EQ(pixels[px * px - 1] & 0xFFFFFF, kBackground);
      EXPECT_NE(pixels[px * px / 2 + px / 2] & 0xFFFFFF, kBackground);
      std::set<DWORD> colours(pixels, pixels + px * px);
      EXPECT_GE(colours.size(), 4u);
    }
  }
}

TEST(Pictures_Cursor, PointsWithTheFingertip) {
  HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_POINTING_HAND));
  ASSERT_NE(hand, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 0u);
}

// The banner is decoded to the size asked for, and is a picture, not an
// empty or one-colour rectangle.
TEST(Pictures_Banner, DecodesAtTheSizeShown) {
  struct Case {
    int width, height;
  } cases[] = {{73, 33}, {110, 50}, {219, 99}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    const UniqueBitmap banner = win32::LoadScaledPicture(IDR_BANNER, c.width, c.height);
    ASSERT_TRUE(banner);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(banner.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, c.width);
    EXPECT_EQ(std::abs(dib.dsBm.bmHeight), c.height);
    const auto* pixels = static_cast<const DWORD*>(dib.dsBm.bmBits);
    std::set<DWORD> colours(pixels, pixels + c.width * c.height);
    EXPECT_GT(colours.size(), 50u);
  }
  EXPECT_FALSE(win32::LoadScaledPicture(IDR_BANNER, 0, 10));
  EXPECT_FALSE(win32::LoadScaledPicture(9999, 10, 10));
}

}  // namespace
}  // namespace orvando::test

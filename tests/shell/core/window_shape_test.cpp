#include "shell/core/window_drag.h"
#include "shell/core/window_shape.h"
#include "shell_fixture.h"

namespace tabrel::shell {
namespace {

constexpr uint32_t kKey = 0xFF00FF;

// A 12 x 9 picture: key-coloured corners and a key-coloured spot in the middle.
RgbImage ShapedPicture() {
  RgbImage image{12, 9, std::vector<uint32_t>(12 * 9, 0x336699)};
  auto set = [&](int x, int y) { image.pixels[static_cast<size_t>(y * 12 + x)] = kKey; };
  for (int i = 0; i < 3; ++i) {
    set(i, 0);
    set(11 - i, 0);
    set(0, i);
    set(11, 8 - i);
  }
  set(6, 4);
  return image;
}

TEST(WindowShape, ColourScanCutsKeyPixelsIncludingHoles) {
  const PixelRegion region = RegionByKeyColour(ShapedPicture());
  EXPECT_FALSE(region.Contains({0, 0}));
  EXPECT_FALSE(region.Contains({6, 4}));  // a hole, not only the border
  EXPECT_TRUE(region.Contains({5, 4}));
  EXPECT_EQ(region.VisibleCount(), 12 * 9 - 12);
}

TEST(WindowShape, PixelListFromScanGivesSameRegion) {
  const RgbImage image = ShapedPicture();
  const auto scanned = KeyColourPixels(image, image.At(0, 0));
  const std::string text = FormatPixelList(scanned);
  EXPECT_TRUE(text.starts_with("0,0\r\n1,0\r\n2,0\r\n9,0\r\n"));
  std::optional<ShapeError> error;
  const auto read = ParsePixelList(text, error);
  ASSERT_FALSE(error);
  EXPECT_EQ(RegionWithout(12, 9, read), RegionByKeyColour(image));
}

TEST(WindowShape, PixelListEdgeCases) {
  std::optional<ShapeError> error;
  // Empty: the whole window stays; one pixel; out-of-window and repeated records change nothing.
  EXPECT_EQ(RegionWithout(4, 3, ParsePixelList("", error)).VisibleCount(), 12);
  EXPECT_EQ(RegionWithout(4, 3, ParsePixelList("0,0\r\n", error)).VisibleCount(), 11);
  EXPECT_EQ(RegionWithout(4, 3, ParsePixelList("1,1\r\n1,1\r\n40,1\r\n1,30\n32766,32766", error)).VisibleCount(), 11);
  EXPECT_FALSE(error);
}

TEST(WindowShape, MalformedPixelListsAreErrors) {
  const struct {
    std::string text;
    int line;
  } cases[] = {{"1,2\r\n32767,0\r\n", 2}, {"a,b\r\n", 1}, {"1;2\r\n", 1}, {"1,2,3\r\n", 1},
               {"-1,2\r\n", 1},          {" 1,2\r\n", 1}, {"1,\r\n", 1},  {"99999999999999999999,1", 1}};
  for (const auto& c : cases) {
    std::optional<ShapeError> error;
    EXPECT_TRUE(ParsePixelList(c.text, error).empty());
    ASSERT_TRUE(error) << c.text;
    EXPECT_EQ(error->line, c.line) << c.text;
    EXPECT_FALSE(error->message.empty());
  }
}

TEST(WindowShape, MissingOrMalformedInfoDatStopsStartUp) {
  testing::ProgramFolder folder;
  testing::RecordingDialogs dialogs;
  std::filesystem::remove(folder.path() / "info.dat");
  Shell missing(dialogs, folder.path(), {});
  EXPECT_TRUE(missing.Form_Initialize().has_value());

  folder.Write("info.dat", "0,0\r\n3,x\r\n");
  Shell malformed(dialogs, folder.path(), {});
  EXPECT_TRUE(malformed.Form_Initialize().has_value());

  folder.Write("info.dat", "0,0\r\n753,656\r\n");
  Shell good(dialogs, folder.path(), {});
  ASSERT_FALSE(good.Form_Initialize().has_value());
  EXPECT_EQ(good.Region.VisibleCount(), 754 * 657 - 2);
}

TEST(WindowDrag, MovesByPointerDisplacementWithLeftButtonOnly) {
  WindowDrag drag;
  const WindowPosition at{100, 200};
  EXPECT_EQ(drag.MouseMove(kLeftButton, 5, 5, at), (WindowPosition{105, 205}));  // no press yet: 0,0
  drag.MouseDown(kLeftButton, 10, 20);
  EXPECT_EQ(drag.MouseMove(kLeftButton, 15, 32, at), (WindowPosition{105, 212}));
  EXPECT_FALSE(drag.MouseMove(kRightButton, 15, 32, at));
  EXPECT_FALSE(drag.MouseMove(kLeftButton | kRightButton, 15, 32, at));
  EXPECT_FALSE(drag.MouseMove(0, 15, 32, at));
  drag.MouseDown(kRightButton, 1, 1);  // not a drag start
  EXPECT_EQ(drag.MouseMove(kLeftButton, 10, 20, at), at);
}

}  // namespace
}  // namespace tabrel::shell

#include "shell/core/profile_window.h"
#include "shell_fixture.h"
#include "spreadsheet/core/text.h"

namespace tabrel::shell {
namespace {

class ProfileWindowTest : public ::testing::Test {
 protected:
  std::function<bool(const std::u16string&)> loader = [this](const std::u16string& path) {
    loaded.push_back(path);
    return path.find(u"broken") == std::u16string::npos;
  };
  testing::ProgramFolder folder;
  std::vector<std::u16string> loaded;
  FrmProfile frm;
};

TEST_F(ProfileWindowTest, SlideshowWrapsWithCaptions) {
  folder.Write("profileimage/a1.jpg", "jpg");
  folder.Write("profileimage/A1.txt", "첫째 줄\r\n둘째 줄\r\n");
  folder.Write("profileimage/b2.jpg", "jpg");
  folder.Write("profileimage/B2.txt", "하나");
  folder.Write("profileimage/c3.JPG", "jpg");  // no caption file: an empty caption
  folder.Write("profileimage/notes.txt", "not a picture");
  frm.Form_Load(folder.path(), loader);
  EXPECT_TRUE(frm.Timer1Enabled);
  EXPECT_EQ(frm.SlideIndex, 1);
  ASSERT_EQ(frm.SlidePaths.size(), 3u);
  EXPECT_EQ(frm.SlideCaptions.size(), 3u);
  EXPECT_EQ(frm.Label1.Caption(), u"첫째 줄\r\n둘째 줄\r\n");
  EXPECT_TRUE(frm.Image1.ends_with(u"a1.jpg")) << to_utf8(frm.Image1);

  const std::u16string captions[] = {u"하나\r\n", u"", u"첫째 줄\r\n둘째 줄\r\n", u"하나\r\n"};
  const int indexes[] = {2, 3, 1, 2};
  for (size_t i = 0; i < 4; ++i) {
    frm.Timer1_Timer(loader);
    EXPECT_EQ(frm.SlideIndex, indexes[i]);
    EXPECT_EQ(frm.Label1.Caption(), captions[i]);
  }
}

TEST_F(ProfileWindowTest, NoPicturesShowsNothingAndIndexStopsAtLimit) {
  frm.Form_Load(folder.path(), loader);  // no profileimage folder
  EXPECT_TRUE(loaded.empty());
  EXPECT_EQ(frm.SlideIndex, 1);
  EXPECT_EQ(frm.Label1.Caption(), u"test");
  frm.SlideIndex = 32766;
  frm.Timer1_Timer(loader);
  frm.Timer1_Timer(loader);
  EXPECT_EQ(frm.SlideIndex, 32767);
}

TEST_F(ProfileWindowTest, PictureThatCannotLoadKeepsPreviousOne) {
  folder.Write("profileimage/a.jpg", "jpg");
  folder.Write("profileimage/broken.jpg", "");
  folder.Write("profileimage/BROKEN.txt", "깨진 그림");
  frm.Form_Load(folder.path(), loader);
  frm.Timer1_Timer(loader);
  EXPECT_TRUE(frm.Image1.ends_with(u"/a.jpg")) << to_utf8(frm.Image1);
  EXPECT_EQ(frm.Label1.Caption(), u"깨진 그림\r\n");
}

// A ";" in a caption is part of the caption: it does not move the later captions.
TEST_F(ProfileWindowTest, CaptionWithASemicolonStaysWithItsPicture) {
  folder.Write("profileimage/a.jpg", "jpg");
  folder.Write("profileimage/A.txt", "하나; 둘");
  folder.Write("profileimage/b.jpg", "jpg");
  folder.Write("profileimage/B.txt", "셋");
  frm.Form_Load(folder.path(), loader);
  EXPECT_EQ(frm.Label1.Caption(), u"하나; 둘\r\n");
  frm.Timer1_Timer(loader);
  EXPECT_EQ(frm.Label1.Caption(), u"셋\r\n");
  EXPECT_TRUE(frm.Image1.ends_with(u"/b.jpg")) << to_utf8(frm.Image1);
}

TEST(ProfileWindow, CaptionPathsPositionAndTopMost) {
  EXPECT_EQ(CaptionPathFor("/p", u"photo1.jpg"), std::filesystem::path("/p/PHOTO1.txt"));
  EXPECT_EQ(CaptionPathFor("/p", u"a.jpg.jpg"), std::filesystem::path("/p/A.txt.txt"));
  EXPECT_EQ(ProfileWindowPosition({100, 50}), (WindowPosition{162, 83}));
  FrmProfile frm;
  frm.Check1 = 0;  // the first click clears the box
  EXPECT_EQ(frm.Check1_Click(), TopMostMode::Normal);
  frm.Check1 = 1;
  EXPECT_EQ(frm.Check1_Click(), TopMostMode::Above);
}

}  // namespace
}  // namespace tabrel::shell

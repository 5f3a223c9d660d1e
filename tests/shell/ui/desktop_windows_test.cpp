// Smoke tests of the Qt windows on the offscreen platform: the main window shows the shell's
// state and feeds clicks back, the verdict window is cut by its key colour, windows drag.

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLibraryInfo>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>

#include <memory>

#include "shell/core/shell_fixture.h"
#include "shell/ui/main_window.h"
#include "shell/ui/pictures.h"
#include "shell/ui/profile_window.h"
#include "shell/ui/qt_translations.h"
#include "shell/ui/verdict_dialog.h"

namespace tabrel::shell::ui {
namespace {

// One application for all tests, ended before the program's exit handlers run.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "shell_ui_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

const auto* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

void App() { ASSERT_NE(QApplication::instance(), nullptr); }

template <class W>
std::vector<W*> Children(QWidget& parent) {
  const auto list = parent.findChildren<W*>();
  return {list.begin(), list.end()};
}

// The file dialog and the message boxes take Qt's own texts from its Korean translations.
TEST(DesktopWindows, QtsOwnDialogTextsAreKorean) {
  App();
  QTranslator* korean = InstallQtKoreanTranslations(*QCoreApplication::instance());
  ASSERT_NE(korean, nullptr) << "qtbase_ko.qm not found in " << QLibraryInfo::path(QLibraryInfo::TranslationsPath).toStdString();
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("취소"));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("파일 이름(&N):"));
  QCoreApplication::removeTranslator(korean);
  delete korean;
}

TEST(DesktopWindows, MainWindowShowsStateAndTakesChoices) {
  App();
  testing::ProgramFolder folder;
  folder.Write("info.dat", "0,0\r\n1,0\r\n0,1\r\n");
  testing::RecordingDialogs dialogs;
  Shell shell(dialogs, folder.path(), BuiltInDispatchTable());
  ASSERT_FALSE(shell.Form_Initialize().has_value());
  MainWindow window(shell);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  EXPECT_EQ(window.size(), QSize(754, 657));
  EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
  EXPECT_FALSE(window.mask().contains(QPoint(1, 0)));
  EXPECT_TRUE(window.mask().contains(QPoint(1, 1)));
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);

  const auto radios = Children<QRadioButton>(window);
  const auto lists = Children<QComboBox>(window);
  ASSERT_EQ(lists.size(), 4u);
  EXPECT_EQ(lists[0]->count(), 7);
  EXPECT_TRUE(lists[0]->isEnabled());
  EXPECT_FALSE(lists[1]->isEnabled());

  // 기초다지기, then 02회.
  QRadioButton* basic = nullptr;
  for (auto* r : radios) if (r->text() == QStringLiteral("기초다지기")) basic = r;
  ASSERT_NE(basic, nullptr);
  basic->click();
  EXPECT_TRUE(shell.comtest.Option2.Value(1));
  EXPECT_TRUE(lists[1]->isEnabled());
  emit lists[1]->activated(1);
  EXPECT_EQ(shell.GetPaperKey(), u"2급기초다지기02회");
  bool shows_40 = false;
  for (auto* label : Children<QLabel>(window)) shows_40 |= label->text() == QStringLiteral("40");
  EXPECT_TRUE(shows_40);

  // Rows written by a grader appear in the three-column list.
  shell.AddDeduction(2, u"B5 셀의 값이 틀립니다", u"시트1");
  window.Sync();
  auto* list = Children<QTreeWidget>(window).front();
  EXPECT_EQ(list->columnCount(), 3);
  ASSERT_EQ(list->topLevelItemCount(), 1);
  EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("-2.00"));
  EXPECT_FALSE(list->toolTip().isEmpty());

  // The upgrade button stays hidden; its click runs the update handed to the shell.
  QPushButton* upgrade = nullptr;
  for (auto* button : Children<QPushButton>(window)) {
    if (button->text() == QStringLiteral("업그레이드")) upgrade = button;
  }
  ASSERT_NE(upgrade, nullptr);
  EXPECT_FALSE(upgrade->isVisible());
  int runs = 0;
  shell.SetOnlineUpdate([&](Shell&) { ++runs; });
  upgrade->click();
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(upgrade->isVisible());
}

TEST(DesktopWindows, VerdictWindowIsCutByKeyColourAndDrags) {
  App();
  testing::ProgramFolder folder;
  QImage picture(372, 235, QImage::Format_RGB32);
  picture.fill(QColor(0x33, 0x66, 0x99));
  picture.setPixelColor(0, 0, QColor(255, 0, 255));
  picture.setPixelColor(100, 100, QColor(255, 0, 255));  // a hole in the middle
  std::filesystem::create_directories(folder.path() / "pictures");
  ASSERT_TRUE(picture.save(QString::fromStdString((folder.path() / "pictures" / "verdict_background.png").string())));

  FrmPass state;
  state.Label3.SetCaption(kVerdictPass);
  VerdictDialog dialog(state, folder.path());
  dialog.move(200, 100);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_FALSE(dialog.mask().contains(QPoint(0, 0)));
  EXPECT_FALSE(dialog.mask().contains(QPoint(100, 100)));
  EXPECT_TRUE(dialog.mask().contains(QPoint(101, 100)));
  EXPECT_EQ(Children<QProgressBar>(dialog).size(), 4u);

  const QPoint start = dialog.pos();
  QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
  QMouseEvent move(QEvent::MouseMove, QPointF(15, 32), QPointF(15, 32), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &move);
  EXPECT_EQ(dialog.pos(), start + QPoint(5, 12));
}

TEST(DesktopWindows, ProfileWindowShowsFirstSlide) {
  App();
  testing::ProgramFolder folder;
  QImage slide(40, 40, QImage::Format_RGB32);
  slide.fill(Qt::blue);
  std::filesystem::create_directories(folder.path() / "profileimage");
  ASSERT_TRUE(slide.save(QString::fromStdString((folder.path() / "profileimage" / "one.jpg").string()), "JPG"));
  folder.Write("profileimage/ONE.txt", "소개 문구\r\n");
  QWidget main_window;
  main_window.move(100, 50);
  ProfileWindow profile(folder.path(), &main_window);
  EXPECT_EQ(profile.state().SlideIndex, 1);
  EXPECT_TRUE(profile.state().Image1.ends_with(u"one.jpg"));
  EXPECT_EQ(profile.pos(), QPoint(162, 83));
}

TEST(DesktopWindows, ShippedPixelListMatchesMainBackground) {
  App();
  const std::filesystem::path folder = TABREL_PROGRAM_FOLDER;
  const QPixmap background = LoadPicture(folder, "main_background.png");
  ASSERT_FALSE(background.isNull());
  ASSERT_EQ(background.size(), QSize(kMainWindowWidth, kMainWindowHeight));
  std::optional<ShapeError> error;
  const auto pixels = ReadPixelList(folder / "info.dat", error);
  ASSERT_FALSE(error);
  ASSERT_FALSE(pixels.empty());
  const PixelRegion from_file = RegionWithout(kMainWindowWidth, kMainWindowHeight, pixels);
  EXPECT_EQ(from_file, RegionByKeyColour(ToRgbImage(background.toImage())));
  EXPECT_EQ(ToMask(from_file), MaskByKeyColour(background));
  EXPECT_FALSE(from_file.Contains({0, 0}));
  EXPECT_TRUE(from_file.Contains({kMainWindowWidth / 2, kMainWindowHeight / 2}));
}

}  // namespace
}  // namespace tabrel::shell::ui

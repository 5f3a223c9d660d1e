#include "shell/ui/main_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QPainter>

#include "shell/ui/draggable.h"
#include "shell/ui/main_window_layout.h"
#include "shell/ui/pictures.h"
#include "shell/ui/qt_text.h"

namespace tabrel::shell::ui {

namespace L = layout;

namespace {

QRect qrect(const L::Rect& r) { return QRect(r.x, r.y, r.w, r.h); }

constexpr char kPlain[] = "color:#1d3a5f;";
constexpr char kHeading[] = "color:#1d3a5f; font-weight:bold; font-size:15px;";
constexpr char kScore[] = "color:#1d3a5f; font-size:14px;";
constexpr char kObtained[] = "color:#b03a2e; font-weight:bold; font-size:14px;";
constexpr char kTotal[] = "color:#b03a2e; font-weight:bold; font-size:20px;";
constexpr char kStatus[] = "color:#ffffff; background:#2f5d8f; border-radius:6px; padding-left:8px;";
constexpr char kCredit[] = "color:#4a5f7a; font-size:11px;";

}  // namespace

MainWindow::MainWindow(Shell& shell) : QWidget(nullptr, Qt::FramelessWindowHint), shell_(shell) {
  const auto& folder = shell_.ProgramFolder();
  const ComTest& c = shell_.comtest;
  setFixedSize(kMainWindowWidth, kMainWindowHeight);
  setWindowTitle(qstr(c.Caption));
  setWindowIcon(QIcon(LoadPicture(folder, "icon.png")));
  setFont(QFont(QStringLiteral("NanumGothic"), 10));
  background_ = LoadPicture(folder, "main_background.png");
  start_pictures_ = {LoadPicture(folder, "start.png"), LoadPicture(folder, "start_pressed.png")};
  exit_pictures_ = {LoadPicture(folder, "exit.png"), LoadPicture(folder, "exit_pressed.png")};
  setMask(ToMask(shell_.Region));

  start_ = new PictureButton(this);
  start_->setGeometry(qrect(L::kStartButton));
  start_->on_press = [this] { Handle([this] { shell_.Picture1_MouseDown(0); }); };
  start_->on_release = [this] { Handle([this] { shell_.Picture1_MouseUp(0); }); };
  exit_ = new PictureButton(this);
  exit_->setGeometry(qrect(L::kExitButton));
  exit_->on_press = [this] { Handle([this] { shell_.Picture1_MouseDown(1); }); };
  exit_->on_release = [this] { Handle([this] { shell_.Picture1_MouseUp(1); }); };

  upgrade_ = new QPushButton(qstr(c.Command1.Caption), this);
  upgrade_->setGeometry(qrect(L::kUpgradeButton));
  QObject::connect(upgrade_, &QPushButton::clicked, this, [this] { Handle([this] { shell_.Command1_Click(); }); });

  BuildChoice();
  BuildScores();
  BuildDeductionList();

  auto* publisher = new PictureButton(this);
  publisher->setGeometry(qrect(L::kPublisher));
  publisher->setPixmap(LoadPicture(folder, "publisher.png"));
  publisher->on_release = [this] { Handle([this] { shell_.Image2_Click(); }); };
  AddLabel(c.Label8[0], L::kCredit.x, L::kCredit.y, L::kCredit.w, L::kCredit.h, Qt::AlignLeft | Qt::AlignVCenter,
           kCredit)
      ->setWordWrap(true);

  // Centre of the screen when first shown.
  if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
  Sync();
}

QLabel* MainWindow::AddLabel(const Label& state, int x, int y, int w, int h, Qt::Alignment align, const char* style) {
  auto* label = new QLabel(this);
  label->setGeometry(x, y, w, h);
  label->setAlignment(align);
  label->setStyleSheet(QString::fromLatin1(style));
  labels_.emplace_back(label, &state);
  return label;
}

void MainWindow::BuildChoice() {
  const ComTest& c = shell_.comtest;
  const auto& folder = shell_.ProgramFolder();
  auto* level_frame = new QGroupBox(QStringLiteral("급수선택"), this);
  level_frame->setGeometry(qrect(L::kLevelFrame));
  level_frame->setFlat(true);
  level_frame->setStyleSheet(QStringLiteral("QGroupBox{border:none; font-weight:bold; color:#1d3a5f; padding-top:14px;}"
                                            "QGroupBox::title{left:12px; top:4px;}"));
  auto* series_frame = new QGroupBox(QStringLiteral("문제종류"), this);
  series_frame->setGeometry(qrect(L::kSeriesFrame));
  series_frame->setStyleSheet(level_frame->styleSheet());

  const char* level_pictures[] = {"level2.png", "level3.png"};
  for (int i = 0; i < 2; ++i) {
    levels_[i] = new QRadioButton(qstr(c.Option1.Caption(i)), this);
    levels_[i]->setGeometry(qrect(L::kLevelOption));
    QObject::connect(levels_[i], &QRadioButton::clicked, this, [this, i] { Handle([this, i] { shell_.SelectLevel(i); }); });
    level_pictures_[i] = new PictureButton(this);
    level_pictures_[i]->setGeometry(qrect(L::kLevelPicture));
    level_pictures_[i]->setPixmap(LoadPicture(folder, level_pictures[i]));
    level_pictures_[i]->setToolTip(i == 0 ? QStringLiteral("Tabrel2급") : QStringLiteral("Tabrel3급"));
    level_pictures_[i]->on_release = [this, i] { Handle([this, i] { shell_.Image1_Click(i); }); };
  }
  for (int i = 0; i < 4; ++i) {
    const int y = L::kSeriesRowTop + i * L::kSeriesRowHeight;
    series_[i] = new QRadioButton(qstr(c.Option2.Caption(i)), this);
    series_[i]->setGeometry(L::kSeriesFrame.x + 12, y, 100, 28);
    QObject::connect(series_[i], &QRadioButton::clicked, this, [this, i] { Handle([this, i] { shell_.SelectSeries(i); }); });
    lists_[i] = new QComboBox(this);
    lists_[i]->setGeometry(L::kSeriesFrame.x + 114, y + 1, 94, 26);
    QObject::connect(lists_[i], &QComboBox::activated, this,
                     [this, i](int item) { Handle([this, i, item] { shell_.PickTestNumber(i, item); }); });
  }
  for (auto* button : levels_) button->setAutoExclusive(false);
  for (auto* button : series_) button->setAutoExclusive(false);
}

void MainWindow::BuildScores() {
  const ComTest& c = shell_.comtest;
  const auto center = Qt::AlignCenter;
  const auto left = Qt::AlignLeft | Qt::AlignVCenter;
  AddLabel(c.Label8[1], L::kScoreHeading.x, L::kScoreHeading.y, L::kScoreHeading.w, L::kScoreHeading.h, left, kHeading);
  AddLabel(c.Label5[0], L::kAllottedX, L::kScoreHeaderTop, L::kScoreCellWidth, 22, center, kPlain);
  AddLabel(c.Label5[1], L::kObtainedX, L::kScoreHeaderTop, L::kScoreCellWidth, 22, center, kPlain);
  // Rows of problems 1..5: caption, allotted, obtained.
  const std::array<const Label*, 5> captions{&c.Label2[0], &c.Label2[1], &c.Label2[2], &c.Label2[3], &c.Label2[6]};
  const std::array<const Label*, 5> allotted{&c.Label1[0], &c.Label1[1], &c.Label1[2], &c.Label1[3], &c.Label7[0]};
  const std::array<const Label*, 5> obtained{&c.Label1[4], &c.Label1[5], &c.Label1[6], &c.Label1[7], &c.Label7[1]};
  for (size_t row = 0; row < 5; ++row) {
    const int y = L::kScoreRowTop + static_cast<int>(row) * L::kScoreRowHeight + 1;
    AddLabel(*captions[row], L::kScoreCaptionX, y, 90, L::kScoreRowHeight - 2, left, kScore);
    AddLabel(*allotted[row], L::kAllottedX, y, L::kScoreCellWidth, L::kScoreRowHeight - 2, center, kScore);
    AddLabel(*obtained[row], L::kObtainedX, y, L::kScoreCellWidth, L::kScoreRowHeight - 2, center, kObtained);
  }
  AddLabel(c.Label3, L::kTotalRow.x + 8, L::kTotalRow.y, 150, L::kTotalRow.h, left, kHeading);
  AddLabel(c.Label4, L::kObtainedX, L::kTotalRow.y, L::kScoreCellWidth, L::kTotalRow.h, center, kTotal);
  AddLabel(c.Label2[5], L::kProgressRow.x + 4, L::kProgressRow.y, 60, L::kProgressRow.h, left, kHeading);
  progress_ = new QProgressBar(this);
  progress_->setGeometry(L::kProgressRow.x + 68, L::kProgressRow.y + 2, L::kProgressRow.w - 72, L::kProgressRow.h - 4);
  progress_->setTextVisible(false);
  AddLabel(c.Label6, L::kStatusLine.x, L::kStatusLine.y, L::kStatusLine.w, L::kStatusLine.h, left, kStatus);
}

void MainWindow::BuildDeductionList() {
  const ComTest& c = shell_.comtest;
  AddLabel(c.Label10, L::kListHeading.x, L::kListHeading.y, L::kListHeading.w, L::kListHeading.h,
           Qt::AlignLeft | Qt::AlignVCenter, kHeading);
  deductions_ = new QTreeWidget(this);
  deductions_->setGeometry(qrect(L::kListView));
  deductions_->setRootIsDecorated(false);
  deductions_->setUniformRowHeights(true);
  deductions_->setAlternatingRowColors(true);
  deductions_->setToolTip(qstr(c.ListView1.ToolTipText));
  deductions_->setStyleSheet(QStringLiteral("QTreeWidget{border:1px solid #c9d4e2; background:#ffffff;}"));
  QObject::connect(deductions_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (syncing_) return;
    const int row = item ? deductions_->indexOfTopLevelItem(item) + 1 : 0;
    if (row <= shell_.comtest.ListView1.Count()) shell_.comtest.ListView1.Select(row);
  });
  QObject::connect(deductions_, &QTreeWidget::itemDoubleClicked, this,
                   [this] { Handle([this] { shell_.ListView1_DblClick(); }); });
}

void MainWindow::Sync() {
  syncing_ = true;
  const ComTest& c = shell_.comtest;
  start_->setPixmap(start_pictures_[c.Picture1[0].Pressed ? 1 : 0]);
  exit_->setPixmap(exit_pictures_[c.Picture1[1].Pressed ? 1 : 0]);
  upgrade_->setVisible(c.Command1.Visible);
  for (int i = 0; i < 2; ++i) {
    levels_[i]->setChecked(c.Option1.Value(i));
    levels_[i]->setVisible(c.Option1.Visible(i));
    level_pictures_[i]->setVisible(c.Image1Visible[static_cast<size_t>(i)]);
  }
  for (size_t i = 0; i < 4; ++i) {
    series_[i]->setChecked(c.Option2.Value(static_cast<int>(i)));
    QComboBox* list = lists_[i];
    const ComboBox& state = c.Combo3[i];
    QStringList items;
    for (const auto& item : state.Items()) items << qstr(item);
    QStringList shown;
    for (int k = 0; k < list->count(); ++k) shown << list->itemText(k);
    if (shown != items) {
      list->clear();
      list->addItems(items);
    }
    list->setCurrentIndex(state.ListIndex());
    list->setEnabled(state.Enabled());
  }
  for (auto& [label, state] : labels_) {
    label->setText(qstr(state->Caption()));
    label->setVisible(state->Visible());
  }
  progress_->setRange(static_cast<int>(c.ProgressBar1.Min()), static_cast<int>(c.ProgressBar1.Max()));
  progress_->setValue(static_cast<int>(c.ProgressBar1.Value()));
  SyncList();
  syncing_ = false;
}

void MainWindow::SyncList() {
  const ListView& state = shell_.comtest.ListView1;
  if (deductions_->columnCount() != static_cast<int>(state.Columns.size())) {
    deductions_->setColumnCount(static_cast<int>(state.Columns.size()));
    QStringList headings;
    for (const auto& column : state.Columns) headings << qstr(column.Heading);
    deductions_->setHeaderLabels(headings);
    for (size_t k = 0; k < state.Columns.size(); ++k) {
      deductions_->setColumnWidth(static_cast<int>(k), state.Columns[k].Width);
      deductions_->headerItem()->setTextAlignment(
          static_cast<int>(k), state.Columns[k].Alignment == ListColumn::Align::Right ? Qt::AlignRight : Qt::AlignLeft);
    }
  }
  while (deductions_->topLevelItemCount() > state.Count()) delete deductions_->takeTopLevelItem(deductions_->topLevelItemCount() - 1);
  for (int i = 0; i < state.Count(); ++i) {
    QTreeWidgetItem* item = deductions_->topLevelItem(i);
    if (!item) item = new QTreeWidgetItem(deductions_);
    const ListItem& row = state.Items()[static_cast<size_t>(i)];
    for (size_t k = 0; k < state.Columns.size(); ++k) {
      const int column = static_cast<int>(k);
      item->setText(column, qstr(row.Column(column + 1)));
      if (state.Columns[k].Alignment == ListColumn::Align::Right) item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
  }
  const int selected = state.SelectedIndex();
  deductions_->setCurrentItem(selected > 0 ? deductions_->topLevelItem(selected - 1) : nullptr);
  if (state.Count() > 0 && state.SelectedIndex() == 0) deductions_->scrollToBottom();
}

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull()) painter.fillRect(rect(), QColor(0xe6, 0xec, 0xf4));
  else painter.drawPixmap(0, 0, background_);
}

void MainWindow::mousePressEvent(QMouseEvent* event) { DragPress(drag_, event); }

void MainWindow::mouseMoveEvent(QMouseEvent* event) { DragMove(drag_, this, event); }

void MainWindow::closeEvent(QCloseEvent* event) {
  shell_.Form_Unload();
  event->accept();
}

}  // namespace tabrel::shell::ui

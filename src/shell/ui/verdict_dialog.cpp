#include "shell/ui/verdict_dialog.h"

#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "shell/ui/draggable.h"
#include "shell/ui/main_window_layout.h"
#include "shell/ui/pictures.h"
#include "shell/ui/qt_text.h"

namespace tabrel::shell::ui {

namespace L = layout;

namespace {
// The bars hold hundredths, so that 17.5 of 20 shows as such.
constexpr int kBarScale = 100;
}  // namespace

VerdictDialog::VerdictDialog(const FrmPass& state, const std::filesystem::path& program_folder)
    : QDialog(nullptr, Qt::FramelessWindowHint | Qt::Dialog) {
  setModal(true);
  setWindowTitle(qstr(state.Caption));
  setFixedSize(L::kVerdictWidth, L::kVerdictHeight);
  setFont(QFont(QStringLiteral("NanumGothic"), 10));
  background_ = LoadPicture(program_folder, "verdict_background.png");
  if (!background_.isNull()) setMask(MaskByKeyColour(background_));

  auto* verdict = new QLabel(qstr(state.Label3.Caption()), this);
  verdict->setGeometry(L::kVerdictText.x, L::kVerdictText.y, L::kVerdictText.w, L::kVerdictText.h);
  verdict->setAlignment(Qt::AlignCenter);
  verdict->setStyleSheet(QStringLiteral("color:#b03a2e; font-weight:bold; font-size:24px;"));

  const int column = L::kVerdictBars.w / 4;
  for (size_t k = 0; k < 4; ++k) {
    const int x = L::kVerdictBars.x + static_cast<int>(k) * column;
    auto* value = new QLabel(qstr(state.Label1[k].Caption()), this);
    value->setGeometry(x, L::kVerdictBars.y, column, 20);
    value->setAlignment(Qt::AlignCenter);
    value->setStyleSheet(QStringLiteral("color:#1d3a5f; font-weight:bold;"));
    auto* bar = new QProgressBar(this);
    bar->setOrientation(Qt::Vertical);
    bar->setTextVisible(false);
    bar->setGeometry(x + column / 2 - 11, L::kVerdictBars.y + 24, 22, L::kVerdictBars.h - 48);
    bar->setRange(static_cast<int>(state.ProgressBar1[k].Min() * kBarScale),
                  static_cast<int>(state.ProgressBar1[k].Max() * kBarScale));
    bar->setValue(static_cast<int>(state.ProgressBar1[k].Value() * kBarScale));
    auto* caption = new QLabel(QStringLiteral("문제 %1").arg(k + 1), this);
    caption->setGeometry(x, L::kVerdictBars.bottom() - 22, column, 20);
    caption->setAlignment(Qt::AlignCenter);
    caption->setStyleSheet(QStringLiteral("color:#4a5f7a;"));
  }

  auto* badge = new QLabel(this);
  badge->setGeometry(L::kVerdictBadge.x, L::kVerdictBadge.y, L::kVerdictBadge.w, L::kVerdictBadge.h);
  badge->setPixmap(LoadPicture(program_folder, "verdict_badge.png"));
  auto* total = new QLabel(qstr(state.Label2.Caption()), this);
  total->setGeometry(L::kVerdictTotal.x, L::kVerdictTotal.y, L::kVerdictTotal.w, L::kVerdictTotal.h);
  total->setAlignment(Qt::AlignCenter);
  total->setStyleSheet(QStringLiteral("color:#1d3a5f; font-weight:bold; font-size:20px;"));
  auto* ok = new QPushButton(qstr(state.Command1.Caption), this);
  ok->setGeometry(L::kVerdictButton.x, L::kVerdictButton.y, L::kVerdictButton.w, L::kVerdictButton.h);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
}

void VerdictDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull()) painter.fillRect(rect(), QColor(0xfd, 0xf6, 0xe3));
  else painter.drawPixmap(0, 0, background_);
}

void VerdictDialog::mousePressEvent(QMouseEvent* event) { DragPress(drag_, event); }

void VerdictDialog::mouseMoveEvent(QMouseEvent* event) { DragMove(drag_, this, event); }

}  // namespace tabrel::shell::ui

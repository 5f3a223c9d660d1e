#include "shell/ui/profile_window.h"

#include <QPainter>

#include "shell/ui/draggable.h"
#include "shell/ui/main_window_layout.h"
#include "shell/ui/pictures.h"
#include "shell/ui/qt_text.h"

namespace tabrel::shell::ui {

namespace L = layout;

ProfileWindow::ProfileWindow(const std::filesystem::path& program_folder, const QWidget* main_window)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool) {
  setFixedSize(L::kProfileWidth, L::kProfileHeight);
  setFont(QFont(QStringLiteral("NanumGothic"), 10));
  background_ = LoadPicture(program_folder, "profile_background.png");
  if (!background_.isNull()) setMask(MaskByKeyColour(background_));

  picture_ = new QLabel(this);
  picture_->setGeometry(L::kProfilePicture.x, L::kProfilePicture.y, L::kProfilePicture.w, L::kProfilePicture.h);
  picture_->setAlignment(Qt::AlignCenter);
  caption_ = new QLabel(this);
  caption_->setGeometry(L::kProfileCaption.x, L::kProfileCaption.y, L::kProfileCaption.w, L::kProfileCaption.h);
  caption_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  caption_->setWordWrap(true);
  caption_->setStyleSheet(QStringLiteral("background:#ffffe1; color:#333333; padding:6px; font-size:11px;"));
  check_ = new QCheckBox(QStringLiteral("항상맨위로"), this);
  check_->setGeometry(L::kProfileCheck.x, L::kProfileCheck.y, L::kProfileCheck.w, L::kProfileCheck.h);
  check_->setChecked(state_.Check1 == 1);
  QObject::connect(check_, &QCheckBox::clicked, this, [this](bool checked) {
    state_.Check1 = checked ? 1 : 0;
    SetTopMost(state_.Check1_Click());
  });

  load_picture_ = [this](const std::u16string& path) {
    const QPixmap pixmap(qstr(path));
    if (pixmap.isNull()) return false;
    picture_->setPixmap(pixmap.scaled(picture_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return true;
  };
  state_.Form_Load(program_folder, load_picture_);
  Show();
  timer_.setInterval(FrmProfile::kTimer1IntervalMs);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] {
    state_.Timer1_Timer(load_picture_);
    Show();
  });
  if (state_.Timer1Enabled) timer_.start();
  if (main_window) {
    const WindowPosition at = ProfileWindowPosition({main_window->x(), main_window->y()});
    move(at.left, at.top);
  }
}

void ProfileWindow::Show() {
  QString text = qstr(state_.Label1.Caption());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  caption_->setText(text);
}

void ProfileWindow::SetTopMost(TopMostMode mode) {
  // Position and size stay; only the stay-on-top layer changes.
  const QPoint at = pos();
  setWindowFlag(Qt::WindowStaysOnTopHint, mode == TopMostMode::Above);
  move(at);
  show();
}

void ProfileWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull()) painter.fillRect(rect(), QColor(0xf6, 0xf8, 0xfb));
  else painter.drawPixmap(0, 0, background_);
}

void ProfileWindow::mousePressEvent(QMouseEvent* event) { DragPress(drag_, event); }

void ProfileWindow::mouseMoveEvent(QMouseEvent* event) { DragMove(drag_, this, event); }

}  // namespace tabrel::shell::ui

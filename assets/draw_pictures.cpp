// Draws the program's own pictures into <folder>/pictures (PNG) and the sample slides of the
// profile window into <folder>/profileimage (JPEG with caption files). Run at build time.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cstdio>
#include <functional>

#include "shell/ui/main_window_layout.h"

namespace {

namespace L = tabrel::shell::ui::layout;

const QColor kKey = QColor::fromRgb(L::kKeyColour);
const QColor kNavy(0x1d, 0x3a, 0x5f);
const QColor kNavyLight(0x2f, 0x5d, 0x8f);
const QColor kPaper(0xf6, 0xf8, 0xfb);
const QColor kLine(0xc9, 0xd4, 0xe2);
const QColor kTeal(0x1f, 0x9e, 0x89);
const QColor kCoral(0xd9, 0x53, 0x4f);

QRectF rect(const L::Rect& r) { return QRectF(r.x, r.y, r.w, r.h); }

QFont font(int pixels, bool bold = false) {
  QFont f(QStringLiteral("NanumGothic"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

// A picture whose pixels outside `shape` carry the key colour exactly, and whose pixels inside
// never do, so that the colour scan finds the outline and nothing else.
QImage shaped(int w, int h, const QPainterPath& shape, const std::function<void(QPainter&)>& paint) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(kKey);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipPath(shape);
    paint(p);
  }
  QImage mask(w, h, QImage::Format_RGB32);
  mask.fill(Qt::black);
  {
    QPainter p(&mask);
    p.fillPath(shape, Qt::white);
  }
  const QRgb key = kKey.rgb();
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    const auto* inside = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      if (qRed(inside[x]) == 0) row[x] = key;
      else if ((row[x] & 0xFFFFFF) == (key & 0xFFFFFF)) row[x] = qRgb(0xFE, 0x00, 0xFE);
    }
  }
  return image;
}

void card(QPainter& p, const L::Rect& r) {
  p.setPen(QPen(kLine, 1));
  p.setBrush(kPaper);
  p.drawRoundedRect(rect(r).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
}

QImage main_background() {
  QPainterPath body;
  body.addRoundedRect(rect(L::kBody), L::kCornerRadius, L::kCornerRadius);
  QPainterPath tab;
  tab.addRoundedRect(rect(L::kTitleTab), 12, 12);
  const QPainterPath shape = body.united(tab);
  return shaped(754, 657, shape, [&](QPainter& p) {
    QLinearGradient body(0, 0, 0, 657);
    body.setColorAt(0, QColor(0xe6, 0xec, 0xf4));
    body.setColorAt(1, QColor(0xd5, 0xdf, 0xeb));
    p.fillRect(0, 0, 754, 657, body);
    QLinearGradient band(0, 0, 0, L::kTitleBand.bottom());
    band.setColorAt(0, kNavyLight);
    band.setColorAt(1, kNavy);
    p.fillRect(QRectF(0, 0, 754, L::kTitleBand.bottom()), band);
    p.setPen(QColor(0xff, 0xd1, 0x66));
    p.setFont(font(12, true));
    p.fillRect(QRectF(L::kTitleTab.x, 0, L::kTitleTab.w, 14), kNavy);
    p.drawText(QRectF(L::kTitleTab.x, 1, L::kTitleTab.w, 13), Qt::AlignCenter, QStringLiteral("TABREL  COMPUTER SKILLS"));
    p.setPen(Qt::white);
    p.setFont(font(22, true));
    p.drawText(QRectF(30, 24, 500, 46), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Tabrel 검정 채점 프로그램"));
    p.setFont(font(13));
    p.setPen(QColor(0xcf, 0xdd, 0xee));
    p.drawText(QRectF(380, 22, 350, 46), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("스프레드시트 실기 2급 · 자동 채점"));
    for (const auto& r : {L::kLevelFrame, L::kSeriesFrame, L::kScorePanel, L::kListPanel}) card(p, r);
    // Score table: header and row rules.
    p.setPen(QPen(kLine, 1));
    const int left = L::kScorePanel.x + 12;
    const int right = L::kScorePanel.right() - 12;
    for (int i = 0; i <= 5; ++i) {
      const int y = L::kScoreRowTop + i * L::kScoreRowHeight;
      p.drawLine(left, y, right, y);
    }
    p.fillRect(QRect(left, L::kScoreHeaderTop, right - left, L::kScoreRowTop - L::kScoreHeaderTop - 1),
               QColor(0xe3, 0xea, 0xf3));
    p.setPen(QPen(kNavy, 2));
    p.drawLine(left, L::kTotalRow.y - 4, right, L::kTotalRow.y - 4);
    // A thin frame along the outline.
    p.setPen(QPen(kNavy, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
  });
}

QImage button(const QString& text, const QColor& colour, bool pressed) {
  const int w = L::kStartButton.w, h = L::kStartButton.h;
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF face = QRectF(1, 1, w - 2, h - 4).translated(0, pressed ? 2 : 0);
  if (!pressed) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRoundedRect(face.translated(0, 3), 12, 12);
  }
  QLinearGradient g(0, face.top(), 0, face.bottom());
  g.setColorAt(0, pressed ? colour.darker(130) : colour.lighter(125));
  g.setColorAt(1, pressed ? colour.darker(110) : colour);
  p.setBrush(g);
  p.setPen(QPen(colour.darker(150), 1.5));
  p.drawRoundedRect(face, 12, 12);
  p.setPen(Qt::white);
  p.setFont(font(18, true));
  p.drawText(face, Qt::AlignCenter, text);
  return image;
}

QImage level_picture(const QString& text) {
  QImage image(L::kLevelPicture.w, L::kLevelPicture.h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient g(40, 36, 60);
  g.setColorAt(0, QColor(0x4f, 0x8f, 0xd8));
  g.setColorAt(1, kNavy);
  p.setBrush(g);
  p.setPen(QPen(QColor(0xff, 0xd1, 0x66), 3));
  p.drawEllipse(QRectF(4, 4, 84, 84));
  p.setPen(Qt::white);
  p.setFont(font(28, true));
  p.drawText(QRectF(4, 4, 84, 84), Qt::AlignCenter, text);
  return image;
}

QImage publisher_picture() {
  QImage image(L::kPublisher.w, L::kPublisher.h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(kNavy);
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(0, 0, L::kPublisher.w, L::kPublisher.h), 10, 10);
  p.setBrush(QColor(0xff, 0xd1, 0x66));
  p.drawEllipse(QRectF(10, 12, 32, 32));
  p.setPen(kNavy);
  p.setFont(font(20, true));
  p.drawText(QRectF(10, 12, 32, 32), Qt::AlignCenter, QStringLiteral("T"));
  p.setPen(Qt::white);
  p.setFont(font(15, true));
  p.drawText(QRectF(50, 8, 104, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TABREL"));
  p.setFont(font(12));
  p.drawText(QRectF(50, 28, 104, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("타브렐 출판"));
  return image;
}

QImage verdict_background() {
  const int w = L::kVerdictWidth, h = L::kVerdictHeight;
  QPainterPath shape;
  shape.addRoundedRect(QRectF(0, 0, w, h), 22, 22);
  QPainterPath notch;  // a round notch in the middle of the lower edge
  notch.addEllipse(QPointF(w / 2.0, h + 4), 18, 18);
  shape = shape.subtracted(notch);
  return shaped(w, h, shape, [&](QPainter& p) {
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0xfd, 0xf6, 0xe3));
    g.setColorAt(1, QColor(0xf1, 0xe2, 0xbd));
    p.fillRect(0, 0, w, h, g);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawRect(QRectF(0, 0, w, 16));
    card(p, {L::kVerdictBars.x - 8, L::kVerdictBars.y - 6, L::kVerdictBars.w + 16, L::kVerdictBars.h + 10});
    p.setPen(QPen(kNavy, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
  });
}

QImage verdict_badge() {
  QImage image(L::kVerdictBadge.w, L::kVerdictBadge.h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kCoral, 3));
  p.setBrush(QColor(0xff, 0xf4, 0xf2));
  p.drawRoundedRect(QRectF(4, 4, L::kVerdictBadge.w - 8, L::kVerdictBadge.h - 8), 8, 8);
  p.setPen(kCoral);
  p.setFont(font(16, true));
  p.drawText(QRectF(4, 4, L::kVerdictBadge.w - 8, L::kVerdictBadge.h - 8), Qt::AlignCenter, QStringLiteral("채점 결과"));
  return image;
}

QImage profile_background() {
  const int w = L::kProfileWidth, h = L::kProfileHeight;
  QPainterPath shape;
  shape.addRoundedRect(QRectF(0, 0, w, h), 18, 18);
  return shaped(w, h, shape, [&](QPainter& p) {
    p.fillRect(0, 0, w, h, kPaper);
    p.fillRect(QRectF(0, 0, w, 30), kNavy);
    p.setPen(Qt::white);
    p.setFont(font(13, true));
    p.drawText(QRectF(16, 0, w - 32, 30), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Tabrel 소개"));
    p.setPen(QPen(kNavy, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
  });
}

QImage icon() {
  QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(kNavy);
  p.setPen(QPen(QColor(0xff, 0xd1, 0x66), 3));
  p.drawRoundedRect(QRectF(3, 3, 58, 58), 14, 14);
  p.setPen(Qt::white);
  p.setFont(font(36, true));
  p.drawText(QRectF(3, 3, 58, 58), Qt::AlignCenter, QStringLiteral("T"));
  return image;
}

QImage slide(const QColor& colour, const QString& text) {
  QImage image(L::kProfilePicture.w, L::kProfilePicture.h, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, image.width(), image.height());
  g.setColorAt(0, colour.lighter(140));
  g.setColorAt(1, colour.darker(120));
  p.fillRect(image.rect(), g);
  p.setPen(Qt::white);
  p.setFont(font(26, true));
  p.drawText(image.rect(), Qt::AlignCenter, text);
  return image;
}

bool save(const QImage& image, const QString& path, const char* format) {
  if (image.save(path, format)) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

bool write_text(const QString& path, const QString& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QTextStream(&file) << text;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  const QString pictures = folder.filePath(QStringLiteral("pictures"));
  const QString slides = folder.filePath(QStringLiteral("profileimage"));
  if (!QDir().mkpath(pictures) || !QDir().mkpath(slides)) return 1;
  auto in = [&](const char* name) { return pictures + QLatin1Char('/') + QLatin1String(name); };
  bool ok = save(main_background(), in("main_background.png"), "PNG") &&
            save(button(QStringLiteral("▶  채점 시작"), kTeal, false), in("start.png"), "PNG") &&
            save(button(QStringLiteral("▶  채점 시작"), kTeal, true), in("start_pressed.png"), "PNG") &&
            save(button(QStringLiteral("■  종 료"), kCoral, false), in("exit.png"), "PNG") &&
            save(button(QStringLiteral("■  종 료"), kCoral, true), in("exit_pressed.png"), "PNG") &&
            save(level_picture(QStringLiteral("2급")), in("level2.png"), "PNG") &&
            save(level_picture(QStringLiteral("3급")), in("level3.png"), "PNG") &&
            save(publisher_picture(), in("publisher.png"), "PNG") &&
            save(verdict_background(), in("verdict_background.png"), "PNG") &&
            save(verdict_badge(), in("verdict_badge.png"), "PNG") &&
            save(profile_background(), in("profile_background.png"), "PNG") && save(icon(), in("icon.png"), "PNG");
  const struct {
    const char* name;
    QColor colour;
    QString text;
    QString caption;
  } samples[] = {
      {"slide1", kNavyLight, QStringLiteral("Tabrel"), QStringLiteral("Tabrel 검정\r\n스프레드시트 실기 대비\r\n")},
      {"slide2", kTeal, QStringLiteral("2급 실기"), QStringLiteral("기초다지기부터\r\n기출문제까지 22회\r\n")},
      {"slide3", kCoral, QStringLiteral("자동 채점"), QStringLiteral("감점 내역을 한눈에\r\n")},
  };
  for (const auto& s : samples) {
    const QString base = slides + QLatin1Char('/') + QLatin1String(s.name);
    ok = ok && save(slide(s.colour, s.text), base + QStringLiteral(".jpg"), "JPG") &&
         write_text(slides + QLatin1Char('/') + QString::fromLatin1(s.name).toUpper() + QStringLiteral(".txt"), s.caption);
  }
  return ok ? 0 : 1;
}

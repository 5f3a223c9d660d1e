#include "shell/ui/pictures.h"

#include <QRect>
#include <QString>

#include <vector>

namespace tabrel::shell::ui {

QPixmap LoadPicture(const std::filesystem::path& program_folder, const char* name) {
  const auto path = program_folder / "pictures" / name;
  return QPixmap(QString::fromStdString(path.string()));
}

RgbImage ToRgbImage(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  RgbImage out{rgb.width(), rgb.height(), {}};
  out.pixels.reserve(static_cast<size_t>(rgb.width()) * static_cast<size_t>(rgb.height()));
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) out.pixels.push_back(row[x] & 0xFFFFFFu);
  }
  return out;
}

QRegion ToMask(const PixelRegion& region) {
  // Runs of visible pixels, row by row and left to right, as the banded rectangles of a region.
  std::vector<QRect> rects;
  for (int y = 0; y < region.Height(); ++y) {
    int x = 0;
    while (x < region.Width()) {
      while (x < region.Width() && !region.Contains({x, y})) ++x;
      const int start = x;
      while (x < region.Width() && region.Contains({x, y})) ++x;
      if (x > start) rects.emplace_back(start, y, x - start, 1);
    }
  }
  QRegion mask;
  mask.setRects(rects.data(), static_cast<int>(rects.size()));
  return mask;
}

QRegion MaskByKeyColour(const QPixmap& background) {
  return ToMask(RegionByKeyColour(ToRgbImage(background.toImage())));
}

}  // namespace tabrel::shell::ui

// Writes info.dat: the pixels of the main window's background that carry the key colour of its
// pixel (0, 0), the list the program cuts from its window at start-up.

#include <QImage>

#include <cstdio>
#include <fstream>

#include "shell/core/window_shape.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <background.png> <info.dat>\n", argv[0]);
    return 2;
  }
  const QImage picture(QString::fromLocal8Bit(argv[1]));
  if (picture.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  tabrel::shell::RgbImage image{rgb.width(), rgb.height(), {}};
  image.pixels.reserve(static_cast<size_t>(rgb.width()) * static_cast<size_t>(rgb.height()));
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) image.pixels.push_back(row[x] & 0xFFFFFFu);
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << tabrel::shell::FormatPixelList(tabrel::shell::KeyColourPixels(image, image.At(0, 0)));
  return out ? 0 : 1;
}

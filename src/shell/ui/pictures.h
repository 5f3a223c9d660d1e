#pragma once
// The program's pictures (the program folder's pictures/ folder) and the bridges between the
// shell's pixel regions and Qt's window masks.

#include <QImage>
#include <QPixmap>
#include <QRegion>

#include <filesystem>

#include "shell/core/window_shape.h"

namespace tabrel::shell::ui {

// A picture of pictures/ by file name; an empty pixmap when it is missing.
QPixmap LoadPicture(const std::filesystem::path& program_folder, const char* name);

RgbImage ToRgbImage(const QImage& image);

// The visible pixels of a region as a window mask.
QRegion ToMask(const PixelRegion& region);

// `ShapeFormByColor` for a window whose face is `background`.
QRegion MaskByKeyColour(const QPixmap& background);

}  // namespace tabrel::shell::ui

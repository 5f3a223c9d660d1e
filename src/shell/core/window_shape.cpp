#include "shell/core/window_shape.h"

#include <fstream>
#include <iterator>

namespace tabrel::shell {

PixelRegion::PixelRegion(int width, int height)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      visible_(static_cast<size_t>(width_) * static_cast<size_t>(height_), true) {}

void PixelRegion::Cut(Pixel p) {
  if (p.x < 0 || p.y < 0 || p.x >= width_ || p.y >= height_) return;
  visible_[static_cast<size_t>(p.y) * static_cast<size_t>(width_) + static_cast<size_t>(p.x)] = false;
}

bool PixelRegion::Contains(Pixel p) const {
  if (p.x < 0 || p.y < 0 || p.x >= width_ || p.y >= height_) return false;
  return visible_[static_cast<size_t>(p.y) * static_cast<size_t>(width_) + static_cast<size_t>(p.x)];
}

int PixelRegion::VisibleCount() const {
  int n = 0;
  for (bool v : visible_) n += v ? 1 : 0;
  return n;
}

uint32_t RgbImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return kInvalidColour;
  const size_t index = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
  return index < pixels.size() ? pixels[index] : kInvalidColour;
}

namespace {

// One coordinate: decimal digits only, at most kMaxPixelCoordinate.
std::optional<int> parse_coordinate(std::string_view field) {
  if (field.empty()) return std::nullopt;
  int value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kMaxPixelCoordinate) return std::nullopt;
  }
  return value;
}

}  // namespace

std::vector<Pixel> ParsePixelList(std::string_view text, std::optional<ShapeError>& error) {
  std::vector<Pixel> pixels;
  error.reset();
  int line_number = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    const size_t comma = line.find(',');
    const auto x = comma == std::string_view::npos ? std::nullopt : parse_coordinate(line.substr(0, comma));
    const auto y = comma == std::string_view::npos ? std::nullopt : parse_coordinate(line.substr(comma + 1));
    if (!x || !y) {
      error = ShapeError{line_number, u"창 모양 파일(info.dat)의 내용이 잘못되었습니다"};
      return {};
    }
    pixels.push_back(Pixel{*x, *y});
  }
  return pixels;
}

std::vector<Pixel> ReadPixelList(const std::filesystem::path& path, std::optional<ShapeError>& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = ShapeError{0, u"창 모양 파일(info.dat)을 찾을 수 없거나 읽을 수 없습니다"};
    return {};
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = ShapeError{0, u"창 모양 파일(info.dat)을 읽을 수 없습니다"};
    return {};
  }
  return ParsePixelList(text, error);
}

std::vector<Pixel> KeyColourPixels(const RgbImage& image, uint32_t key) {
  std::vector<Pixel> pixels;
  // Both bounds are inclusive, as the scan reads one column and one row just outside the
  // picture; their colour is never a real key colour.
  for (int y = 0; y <= image.height; ++y) {
    for (int x = 0; x <= image.width; ++x) {
      if (image.At(x, y) == key) pixels.push_back(Pixel{x, y});
    }
  }
  return pixels;
}

std::string FormatPixelList(const std::vector<Pixel>& pixels) {
  std::string text;
  for (const Pixel& p : pixels) {
    text += std::to_string(p.x);
    text += ',';
    text += std::to_string(p.y);
    text += "\r\n";
  }
  return text;
}

PixelRegion RegionWithout(int width, int height, const std::vector<Pixel>& pixels) {
  PixelRegion region(width, height);
  for (const Pixel& p : pixels) region.Cut(p);
  return region;
}

PixelRegion RegionByKeyColour(const RgbImage& image) {
  return RegionWithout(image.width, image.height, KeyColourPixels(image, image.At(0, 0)));
}

}  // namespace tabrel::shell

#pragma once
// Cutting a window to the outline of its picture: a region that starts as the whole window and
// loses single pixels, either those listed in the program folder's `info.dat` or every pixel
// of a key colour. `info.dat` holds one "X,Y" record per line, CR LF ended.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tabrel::shell {

struct Pixel {
  int x = 0;
  int y = 0;
  bool operator==(const Pixel&) const = default;
};

// Which pixels of a width x height window remain visible.
class PixelRegion {
 public:
  PixelRegion(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Removes one pixel; a pixel outside the window changes nothing.
  void Cut(Pixel p);
  bool Contains(Pixel p) const;
  int VisibleCount() const;
  bool operator==(const PixelRegion&) const = default;

 private:
  int width_;
  int height_;
  std::vector<bool> visible_;
};

// A picture as 0xRRGGBB values, row by row.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  // The colour at (x, y); outside the picture, a value that no real colour has.
  uint32_t At(int x, int y) const;
};

inline constexpr uint32_t kInvalidColour = 0xFFFFFFFFu;

// What went wrong with a pixel list: the 1-based line and a Korean message for the examinee.
struct ShapeError {
  int line = 0;
  std::u16string message;
};

// The highest coordinate a record may carry.
inline constexpr int kMaxPixelCoordinate = 32766;

// Reads the pixel records of a pixel list text. An empty text is valid. A record that is not
// two decimal integers separated by one comma, or a coordinate above kMaxPixelCoordinate,
// is an error.
std::vector<Pixel> ParsePixelList(std::string_view text, std::optional<ShapeError>& error);

// Reads `info.dat` at `path`; a missing or unreadable file is an error.
std::vector<Pixel> ReadPixelList(const std::filesystem::path& path, std::optional<ShapeError>& error);

// The pixels of `image` that have the key colour, row by row (Y ascending, X ascending).
std::vector<Pixel> KeyColourPixels(const RgbImage& image, uint32_t key);

// The records of a pixel list, "X,Y" CR LF each, in the order given.
std::string FormatPixelList(const std::vector<Pixel>& pixels);

// The region of a width x height window with `pixels` cut away.
PixelRegion RegionWithout(int width, int height, const std::vector<Pixel>& pixels);

// `ShapeFormByColor`: the window's picture with every pixel of the colour of pixel (0, 0) cut.
PixelRegion RegionByKeyColour(const RgbImage& image);

}  // namespace tabrel::shell

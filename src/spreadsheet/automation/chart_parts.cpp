#include "spreadsheet/automation/chart_parts.h"

#include "spreadsheet/automation/errors.h"

namespace tabrel::xl {
namespace {

constexpr int kAutomatic = -4105, kNone = -4142;
constexpr uint16_t kFirstPaletteEntry = 8, kLastPaletteEntry = 63;
constexpr uint16_t kNoLine = 5;

int palette_color_index(uint16_t icv) {
  if (icv < kFirstPaletteEntry || icv > kLastPaletteEntry) return kAutomatic;
  return icv - kFirstPaletteEntry + 1;
}

}  // namespace

int fill_color_index(const std::optional<model::AreaFormat>& area) {
  if (!area || area->automatic) return kAutomatic;
  if (area->pattern == 0) return kNone;
  return palette_color_index(area->fore_index);
}

int line_color_index(const std::optional<model::LineFormat>& line) {
  if (!line || line->automatic) return kAutomatic;
  if (line->pattern == kNoLine) return kNone;
  return palette_color_index(line->color_index);
}

namespace {
constexpr int kHorizontal = -4128, kUpward = -4171, kDownward = -4170, kVertical = -4166;
}  // namespace

int ChartTitle::Orientation() const {
  if (rotation_ == 0) return kHorizontal;
  if (rotation_ == 255) return kVertical;
  if (rotation_ == 90) return kUpward;
  if (rotation_ == 180) return kDownward;
  if (rotation_ < 90) return rotation_;
  if (rotation_ <= 180) return 90 - rotation_;
  return kHorizontal;
}

void ChartTitle::SetOrientation(int orientation) {
  if (!rotate_) raise(Fault::NoSuchMember);
  uint16_t rotation = 0;
  switch (orientation) {
    case kHorizontal: rotation = 0; break;
    case kUpward: rotation = 90; break;
    case kDownward: rotation = 180; break;
    case kVertical: rotation = 255; break;
    default:
      if (orientation < -90 || orientation > 90) raise(Fault::InvalidArgument);
      rotation = static_cast<uint16_t>(orientation >= 0 ? orientation : 90 - orientation);
  }
  rotate_(rotation);
  rotation_ = rotation;
}

void Legend::SetPosition(int position) {
  if (!set_) raise(Fault::NoSuchMember);
  switch (position) {
    case -4107: set_(0); break;
    case 2: set_(1); break;
    case -4160: set_(2); break;
    case -4152: set_(3); break;
    case -4131: set_(4); break;
    default: raise(Fault::InvalidArgument);
  }
}

void TitleCharacters::SetText(const std::u16string& text) {
  if (!set_) raise(Fault::NoSuchMember);
  set_(text);
  text_ = text;
}

void ChartTitle::SetText(const std::u16string& text) {
  if (!set_) raise(Fault::NoSuchMember);
  set_(text);
  text_ = text;
}

void ChartColor::SetColorIndex(int index) {
  if (!set_) raise(Fault::NoSuchMember);
  if (index < 1 || index > static_cast<int>(palette_.size())) raise(Fault::InvalidArgument);
  const model::Rgb c = palette_[static_cast<size_t>(index - 1)];
  set_(static_cast<uint16_t>(index - 1 + kFirstPaletteEntry), c.r | c.g << 8 | static_cast<uint32_t>(c.b) << 16);
  index_ = index;
}

void ChartColor::SetColor(int64_t rgb) {
  if (!set_) raise(Fault::NoSuchMember);
  if (rgb < 0 || rgb > 0xFFFFFF) raise(Fault::InvalidArgument);
  const int r = static_cast<int>(rgb & 0xFF), g = static_cast<int>(rgb >> 8 & 0xFF), b = static_cast<int>(rgb >> 16 & 0xFF);
  size_t nearest = 0;
  int best = 1 << 30;
  for (size_t i = 0; i < palette_.size(); ++i) {
    const int dr = palette_[i].r - r, dg = palette_[i].g - g, db = palette_[i].b - b;
    const int d = dr * dr + dg * dg + db * db;
    if (d < best) best = d, nearest = i;
  }
  set_(static_cast<uint16_t>(nearest + kFirstPaletteEntry), static_cast<uint32_t>(rgb));
  index_ = static_cast<int>(nearest) + 1;
}

int Legend::Position() const {
  switch (legend_.position) {
    case 0: return -4107;
    case 1: return 2;
    case 2: return -4160;
    case 3: return -4152;
    case 4: return -4131;
    default: return -4161;
  }
}

std::shared_ptr<ChartColor> PlotArea::Interior() const {
  return std::make_shared<ChartColor>(u"Interior", fill_color_index(area_));
}
std::shared_ptr<ChartColor> PlotArea::Border() const {
  return std::make_shared<ChartColor>(u"Border", line_color_index(line_));
}
std::shared_ptr<ChartColor> Walls::Interior() const {
  return std::make_shared<ChartColor>(u"Interior", fill_color_index(area_));
}
std::shared_ptr<ChartColor> Walls::Border() const {
  return std::make_shared<ChartColor>(u"Border", line_color_index(line_));
}

const model::ChartGroup& ChartGroup::get() const {
  const model::Chart& chart = chart_.chart();
  if (index_ >= chart.groups.size()) raise(Fault::ObjectDeleted);
  return chart.groups[index_];
}

bool ChartGroup::VaryByCategories() const { return get().varied; }

int ChartGroup::GapWidth() const {
  if (get().kind != model::ChartGroupKind::Bar) raise(Fault::MethodFailed);
  return get().gap;
}

}  // namespace tabrel::xl

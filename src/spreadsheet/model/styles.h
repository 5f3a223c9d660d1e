#pragma once
// Fonts, number formats, cell formats (XF), styles and the colour palette of a workbook, with
// the values the file stores (BIFF codes, palette indexes); the automation layer maps them to
// the constants it reports.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tabrel::model {

// Colour index of the palette: 8..63 are the 56 palette entries; 0..7 the fixed colours;
// 64 is the system window text ("automatic" for fonts), 65 the window background.
inline constexpr uint16_t kAutomaticColor = 0x7FFF;  // as FONT stores "automatic"
inline constexpr uint16_t kSystemForeground = 64;
inline constexpr uint16_t kSystemBackground = 65;

struct Font {
  std::u16string name = u"Arial";
  uint16_t height = 200;  // in twips (1/20 point)
  uint16_t weight = 400;  // 700 is bold
  bool italic = false;
  bool strikeout = false;
  bool outline = false;
  bool shadow = false;
  uint16_t color = kAutomaticColor;  // palette index or kAutomaticColor
  uint16_t script = 0;      // 0 none, 1 superscript, 2 subscript
  uint8_t underline = 0;    // 0 none, 1 single, 2 double, 0x21 single accounting, 0x22 double accounting
  uint8_t family = 0;
  uint8_t charset = 0;
  bool bold() const { return weight >= 700; }
  friend bool operator==(const Font&, const Font&) = default;
};

// BIFF line styles of borders (0 none .. 13 slanted dash-dot).
enum class LineStyle : uint8_t {
  None = 0, Thin, Medium, Dashed, Dotted, Thick, Double, Hair, MediumDashed, DashDot, MediumDashDot,
  DashDotDot, MediumDashDotDot, SlantDashDot
};

struct BorderLine {
  LineStyle style = LineStyle::None;
  uint16_t color = kSystemForeground;
  friend bool operator==(const BorderLine&, const BorderLine&) = default;
};

struct Xf {
  uint16_t font = 0;           // index into Workbook::fonts as BIFF numbers it (4 is skipped)
  uint16_t format = 0;         // number-format id (built-in or FORMAT record)
  bool is_style = false;       // a style XF rather than a cell XF
  uint16_t parent = 0;         // for a cell XF: its style XF
  bool locked = true;
  bool hidden = false;
  bool prefix_123 = false;     // f123Prefix: the cell's text starts with a Lotus 1-2-3 alignment prefix
  // Alignment, BIFF codes: horizontal 0 general, 1 left, 2 centre, 3 right, 4 fill, 5 justify,
  // 6 centre across selection, 7 distributed; vertical 0 top, 1 centre, 2 bottom, 3 justify,
  // 4 distributed.
  uint8_t horizontal = 0;
  uint8_t vertical = 2;
  bool wrap = false;
  bool justify_last = false;
  uint8_t rotation = 0;        // 0..180, 255 vertical text
  uint8_t indent = 0;
  bool shrink = false;
  uint8_t reading_order = 0;
  BorderLine left, right, top, bottom, diagonal;
  bool diagonal_down = false;  // top-left to bottom-right
  bool diagonal_up = false;    // bottom-left to top-right
  uint8_t pattern = 0;         // fill pattern, 0 none, 1 solid, ...
  uint16_t pattern_color = kSystemForeground;   // icvFore
  uint16_t background_color = kSystemBackground; // icvBack
  uint8_t used_attributes = 0; // XF_USED_ATTRIB flags as stored
  friend bool operator==(const Xf&, const Xf&) = default;
};

struct NumberFormatRecord {
  uint16_t id = 0;
  std::u16string code;
  friend bool operator==(const NumberFormatRecord&, const NumberFormatRecord&) = default;
};

struct Style {
  uint16_t xf = 0;
  bool builtin = false;
  uint8_t builtin_id = 0;  // 0 Normal, 3 Comma, 4 Currency, 5 Percent, 6 Comma [0], 7 Currency [0] ...
  uint8_t outline_level = 0xFF;
  std::u16string name;     // user-defined styles
  friend bool operator==(const Style&, const Style&) = default;
};

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The 56 colours of palette indexes 8..63.
using Palette = std::array<Rgb, 56>;
const Palette& default_palette();

struct Styles {
  std::vector<Font> fonts;                     // in file order; BIFF index 4 does not exist
  std::vector<NumberFormatRecord> formats;     // FORMAT records (custom formats, ids >= 164 usually)
  std::vector<Xf> xfs;
  std::vector<Style> styles;
  Palette palette = default_palette();
  bool palette_custom = false;                 // a PALETTE record was present

  // Font of a BIFF font index (0..3 are the first four, 5.. follow); nullptr if out of range.
  const Font* font(uint16_t biff_index) const;
  // BIFF index of fonts[i].
  static uint16_t biff_font_index(size_t i) { return static_cast<uint16_t>(i < 4 ? i : i + 1); }
  // The FORMAT record's code for a custom id; nullptr when the id is built-in or unknown.
  const std::u16string* custom_format(uint16_t id) const;
  // Adds (or finds) an equal font / XF and returns its BIFF index.
  uint16_t intern_font(const Font& f);
  uint16_t intern_xf(const Xf& xf);
  // Adds (or finds) a custom number format by code and returns its id.
  uint16_t intern_format(const std::u16string& code);
};

}  // namespace tabrel::model

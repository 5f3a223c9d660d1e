#pragma once
// The spreadsheet's automation constants and their mapping from the codes the file stores.

#include <cstdint>
#include <optional>

#include "spreadsheet/model/styles.h"

namespace tabrel::xl {

inline constexpr int kXlNone = -4142;        // xlNone, xlColorIndexNone, xlLineStyleNone
inline constexpr int kXlAutomatic = -4105;   // xlColorIndexAutomatic
inline constexpr int kXlWorksheet = -4167;
inline constexpr int kXlChart = -4109;
inline constexpr int kXlExcel4MacroSheet = 3;
inline constexpr int kXlDialogSheet = -4116;
inline constexpr int kXlSheetVisible = -1;
inline constexpr int kXlSheetHidden = 0;
inline constexpr int kXlSheetVeryHidden = 2;

// Alignment: BIFF codes <-> xlHAlign / xlVAlign constants.
int horizontal_alignment(uint8_t biff);
int vertical_alignment(uint8_t biff);
std::optional<uint8_t> horizontal_alignment_code(int constant);
std::optional<uint8_t> vertical_alignment_code(int constant);

// Underline: BIFF codes <-> xlUnderlineStyle constants.
int underline_style(uint8_t biff);
std::optional<uint8_t> underline_code(int constant);

// Palette indexes as ColorIndex reports them: 8..63 -> 1..56, the fixed colours 0..7 -> 1..8,
// system and automatic colours -> xlColorIndexAutomatic.
int color_index(uint16_t palette_index);
std::optional<uint16_t> palette_index(int color_index);
// The RGB value of a palette index as Color reports it (red + green*256 + blue*65536).
int32_t color_value(const model::Palette& palette, uint16_t palette_index);
// The palette index nearest to an RGB value, as setting Color picks it.
uint16_t nearest_palette_index(const model::Palette& palette, int32_t rgb);

// Border lines: the BIFF style as LineStyle and Weight report it, and back.
struct LineLook {
  int line_style;
  int weight;
};
LineLook line_look(model::LineStyle style);
// The BIFF style for a LineStyle with a weight (xlThin when the weight is not given).
std::optional<model::LineStyle> line_style_code(int line_style, int weight);

}  // namespace tabrel::xl

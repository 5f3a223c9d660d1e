// Range.AutoFormat. What is documented: the formats' numbers, that every part (number, font,
// alignment, border, pattern, width and height) is laid unless its argument is False, that a
// single cell formats the region around it, that Classic 1 is the format when none is named,
// and, from the file format's description of the table formats, the looks of Simple, Classic
// 1 to 3, Accounting 1 to 4 and Colorful 1 and 2 region by region (heading row, first column,
// body, total row, total column) in words ("column headers white text on purple background,
// row headers black bold text on gray background"). Our own rendition: the palette colours
// chosen for those words, the lines' weights, the number formats of the accounting formats,
// the centred headings, and the whole of Colorful 3, List 1 to 3 and the 3-D effects, drawn
// after their well-known look. Each format gives its own result, the same every time.

#include "spreadsheet/automation/auto_format.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/constants.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/range.h"

namespace tabrel::xl {
namespace {

// The parts of a table as the formats treat them. A heading row needs two rows, a total row
// three, a first column two columns and a total column three; a part the table lacks is
// skipped. Stripes are every second row between the heading and the total row, the second
// first, across the table.
enum class Zone : uint8_t { Table, Body, Stripes, FirstColumn, TotalColumn, TotalColumnHeading, TotalRow, TotalLabel, Heading };

// Palette colours (ColorIndex).
constexpr int kBlack = 1, kWhite = 2, kBlue = 5, kYellow = 6, kTurquoise = 8, kDarkRed = 9, kDarkBlue = 11,
              kViolet = 13, kTeal = 14, kGray25 = 15, kGray50 = 16, kLightTurquoise = 34, kLightGreen = 35,
              kGray40 = 48, kDarkGreen = 51;
constexpr int kCenter = -4108, kGeneral = 1;
constexpr int kContinuous = 1, kDouble = -4119;
constexpr int kThin = 2, kMedium = -4138, kThick = 4;
constexpr int kUnderlineSingle = 2;

// The Korean version's comma and currency formats, without and with cents.
constexpr char16_t kComma[] = u"_-* #,##0_-;\\-* #,##0_-;_-* \"-\"_-;_-@_-";
constexpr char16_t kCurrency[] = u"_-\"\u20a9\"* #,##0_-;\\-\"\u20a9\"* #,##0_-;_-\"\u20a9\"* \"-\"_-;_-@_-";
constexpr char16_t kCommaCents[] = u"_-* #,##0.00_-;\\-* #,##0.00_-;_-* \"-\"??_-;_-@_-";
constexpr char16_t kCurrencyCents[] = u"_-\"\u20a9\"* #,##0.00_-;\\-\"\u20a9\"* #,##0.00_-;_-\"\u20a9\"* \"-\"??_-;_-@_-";

// The whole look of a zone: a later paint of the same cells replaces an earlier one. A colour
// of 0 is the automatic text colour or no fill, an alignment of 0 the general one; a number
// format only where one is given.
struct Paint {
  Zone zone;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int color = 0;
  int fill = 0;
  int align = 0;
  const char16_t* number = nullptr;
};

struct Line {
  Zone zone;
  int edge;
  int style = kContinuous;
  int weight = kThin;
  int color = kBlack;
};

struct Look {
  TableFormat format;
  std::vector<Paint> paints;
  std::vector<Line> lines;
};

const std::vector<Look>& looks() {
  static const std::vector<Look> all{
      {TableFormat::None, {}, {}},
      {TableFormat::Simple,
       {{.zone = Zone::Heading, .bold = true, .align = kCenter}, {.zone = Zone::TotalLabel, .bold = true}},
       {{Zone::Heading, kEdgeTop}, {Zone::Heading, kEdgeBottom}, {Zone::TotalRow, kEdgeTop}, {Zone::TotalRow, kEdgeBottom}}},
      {TableFormat::Classic1,
       {{.zone = Zone::Heading, .italic = true, .align = kCenter},
        {.zone = Zone::TotalColumnHeading, .bold = true, .align = kCenter},
        {.zone = Zone::TotalLabel, .bold = true}},
       {{Zone::Heading, kEdgeBottom}, {Zone::FirstColumn, kEdgeRight}, {Zone::TotalRow, kEdgeTop}, {Zone::TotalRow, kEdgeBottom}}},
      {TableFormat::Classic2,
       {{.zone = Zone::FirstColumn, .bold = true, .fill = kGray25},
        {.zone = Zone::TotalLabel, .bold = true, .color = kBlue},
        {.zone = Zone::Heading, .bold = true, .color = kWhite, .fill = kViolet, .align = kCenter}},
       {{Zone::TotalRow, kEdgeTop}, {Zone::Table, kEdgeBottom}}},
      {TableFormat::Classic3,
       {{.zone = Zone::Body, .color = kDarkBlue, .fill = kGray25},
        {.zone = Zone::FirstColumn, .bold = true, .fill = kGray25},
        {.zone = Zone::TotalLabel, .bold = true},
        {.zone = Zone::Heading, .italic = true, .color = kWhite, .fill = kDarkBlue, .align = kCenter}},
       {{Zone::Table, kEdgeBottom, kContinuous, kMedium}}},
      {TableFormat::Accounting1,
       {{.zone = Zone::Body, .number = kComma},
        {.zone = Zone::TotalRow, .number = kCurrency},
        {.zone = Zone::TotalLabel, .italic = true},
        {.zone = Zone::Heading, .italic = true, .color = kGray50, .align = kCenter}},
       {{Zone::Heading, kEdgeBottom}, {Zone::TotalRow, kEdgeTop}, {Zone::TotalRow, kEdgeBottom, kDouble, kThick}}},
      {TableFormat::Accounting2,
       {{.zone = Zone::Body, .number = kCommaCents},
        {.zone = Zone::TotalRow, .number = kCommaCents},
        {.zone = Zone::Heading, .align = kCenter}},
       {{Zone::Heading, kEdgeTop, kContinuous, kThin, kViolet},
        {Zone::Heading, kEdgeBottom, kContinuous, kThin, kViolet},
        {Zone::TotalRow, kEdgeTop, kContinuous, kThin, kViolet},
        {Zone::TotalRow, kEdgeBottom, kContinuous, kThin, kViolet}}},
      {TableFormat::Accounting3,
       {{.zone = Zone::Body, .number = kComma},
        {.zone = Zone::TotalRow, .number = kCurrency},
        {.zone = Zone::TotalLabel, .bold = true},
        {.zone = Zone::Heading, .italic = true, .align = kCenter}},
       {{Zone::Heading, kEdgeBottom, kContinuous, kThin, kBlue},
        {Zone::TotalRow, kEdgeTop},
        {Zone::TotalRow, kEdgeBottom, kDouble, kThick}}},
      {TableFormat::Accounting4,
       {{.zone = Zone::Body, .number = kCommaCents},
        {.zone = Zone::TotalRow, .number = kCurrencyCents},
        {.zone = Zone::Heading, .underline = true, .align = kCenter}},
       {{Zone::TotalRow, kEdgeTop}, {Zone::TotalRow, kEdgeBottom, kContinuous, kThick}}},
      {TableFormat::Colorful1,
       {{.zone = Zone::Body, .color = kLightTurquoise, .fill = kTeal},
        {.zone = Zone::TotalRow, .color = kLightTurquoise, .fill = kTeal},
        {.zone = Zone::FirstColumn, .bold = true, .italic = true, .color = kWhite, .fill = kBlue},
        {.zone = Zone::TotalLabel, .bold = true, .italic = true, .color = kWhite, .fill = kBlue},
        {.zone = Zone::Heading, .italic = true, .color = kWhite, .fill = kBlack, .align = kCenter}},
       {{Zone::Body, kInsideHorizontal, kContinuous, kThin, kTurquoise},
        {Zone::TotalRow, kEdgeTop, kContinuous, kThin, kTurquoise}}},
      {TableFormat::Colorful2,
       {{.zone = Zone::TotalColumn, .fill = kGray25},
        {.zone = Zone::FirstColumn, .bold = true, .italic = true, .fill = kYellow},
        {.zone = Zone::TotalLabel, .bold = true, .italic = true, .fill = kYellow},
        {.zone = Zone::Heading, .bold = true, .italic = true, .color = kWhite, .fill = kDarkRed, .align = kCenter}},
       {{Zone::Table, kEdgeBottom}}},
      {TableFormat::Colorful3,
       {{.zone = Zone::Table, .color = kWhite, .fill = kBlack},
        {.zone = Zone::TotalRow, .bold = true, .color = kWhite, .fill = kBlack},
        {.zone = Zone::Heading, .bold = true, .color = kYellow, .fill = kBlack, .align = kCenter}},
       {{Zone::Heading, kEdgeBottom, kContinuous, kThin, kWhite}, {Zone::TotalRow, kEdgeTop, kContinuous, kThin, kWhite}}},
      {TableFormat::List1,
       {{.zone = Zone::Stripes, .fill = kGray25},
        {.zone = Zone::TotalRow, .bold = true},
        {.zone = Zone::Heading, .bold = true, .align = kCenter}},
       {{Zone::Heading, kEdgeBottom}, {Zone::TotalRow, kEdgeTop}, {Zone::TotalRow, kEdgeBottom}}},
      {TableFormat::List2,
       {{.zone = Zone::Stripes, .fill = kLightGreen},
        {.zone = Zone::TotalRow, .bold = true},
        {.zone = Zone::Heading, .bold = true, .color = kWhite, .fill = kDarkGreen, .align = kCenter}},
       {{Zone::Table, kEdgeBottom}}},
      {TableFormat::List3,
       {{.zone = Zone::TotalLabel, .bold = true}, {.zone = Zone::Heading, .bold = true, .italic = true, .align = kCenter}},
       {{Zone::Heading, kEdgeBottom, kContinuous, kMedium, kDarkBlue},
        {Zone::Body, kInsideHorizontal, kContinuous, kThin, kGray40},
        {Zone::TotalRow, kEdgeTop},
        {Zone::Table, kEdgeBottom, kContinuous, kMedium, kDarkBlue}}},
      {TableFormat::Effects3D1,
       {{.zone = Zone::Table, .fill = kGray25}, {.zone = Zone::Heading, .bold = true, .fill = kGray25, .align = kCenter}},
       {{Zone::Table, kEdgeTop, kContinuous, kThin, kWhite},
        {Zone::Table, kEdgeLeft, kContinuous, kThin, kWhite},
        {Zone::Table, kEdgeBottom, kContinuous, kThin, kGray50},
        {Zone::Table, kEdgeRight, kContinuous, kThin, kGray50},
        {Zone::Heading, kEdgeBottom, kContinuous, kThin, kGray50},
        {Zone::TotalRow, kEdgeTop, kContinuous, kThin, kWhite}}},
      {TableFormat::Effects3D2,
       {{.zone = Zone::Table, .fill = kGray25},
        {.zone = Zone::FirstColumn, .bold = true, .fill = kGray25},
        {.zone = Zone::TotalLabel, .bold = true, .fill = kGray25},
        {.zone = Zone::Heading, .bold = true, .fill = kGray25, .align = kCenter}},
       {{Zone::Table, kEdgeTop, kContinuous, kMedium, kGray50},
        {Zone::Table, kEdgeLeft, kContinuous, kMedium, kGray50},
        {Zone::Table, kEdgeBottom, kContinuous, kMedium, kGray50},
        {Zone::Table, kEdgeRight, kContinuous, kMedium, kGray50},
        {Zone::Body, kInsideHorizontal, kContinuous, kThin, kWhite},
        {Zone::Heading, kEdgeBottom, kContinuous, kThin, kGray50}}},
  };
  return all;
}

const Look& look_of(TableFormat format) {
  for (const Look& look : looks())
    if (look.format == format) return look;
  raise(Fault::MethodFailed);
}

// The cells of a zone of `table`.
std::vector<model::RangeRef> zone_areas(const model::RangeRef& table, Zone zone) {
  const bool heading = table.rows() >= 2, total = table.rows() >= 3;
  const bool first_column = table.cols() >= 2, total_column = table.cols() >= 3;
  const int top = table.first.row + (heading ? 1 : 0);
  const int bottom = table.last.row - (total ? 1 : 0);
  const int left = table.first.col, right = table.last.col;
  auto area = [](int r1, int c1, int r2, int c2) { return model::RangeRef{{r1, c1}, {r2, c2}}; };
  std::vector<model::RangeRef> areas;
  switch (zone) {
    case Zone::Table: areas.push_back(table); break;
    case Zone::Body:
      if (top <= bottom) areas.push_back(area(top, left + (first_column ? 1 : 0), bottom, right));
      break;
    case Zone::Stripes:
      for (int row = top + 1; row <= bottom; row += 2) areas.push_back(area(row, left, row, right));
      break;
    case Zone::FirstColumn:
      if (first_column && top <= bottom) areas.push_back(area(top, left, bottom, left));
      break;
    case Zone::TotalColumn:
      if (total_column && top <= bottom) areas.push_back(area(top, right, bottom, right));
      break;
    case Zone::TotalColumnHeading:
      if (total_column && heading) areas.push_back(area(table.first.row, right, table.first.row, right));
      break;
    case Zone::TotalRow:
      if (total) areas.push_back(area(table.last.row, left, table.last.row, right));
      break;
    case Zone::TotalLabel:
      if (total) areas.push_back(area(table.last.row, left, table.last.row, left));
      break;
    case Zone::Heading:
      if (heading) areas.push_back(area(table.first.row, left, table.first.row, right));
      break;
  }
  return areas;
}

void paint(Range& cells, const Paint& p, const TableFormatParts& parts) {
  if (parts.font) {
    const auto font = cells.Font();
    font->SetBold(Variant(p.bold));
    font->SetItalic(Variant(p.italic));
    font->SetUnderline(Variant(p.underline ? kUnderlineSingle : kXlNone));
    font->SetColorIndex(Variant(p.color == 0 ? kXlAutomatic : p.color));
  }
  if (parts.pattern) cells.Interior()->SetColorIndex(Variant(p.fill == 0 ? kXlNone : p.fill));
  if (parts.alignment) cells.SetHorizontalAlignment(Variant(p.align == 0 ? kGeneral : p.align));
  if (parts.number && p.number) cells.SetNumberFormat(Variant(std::u16string(p.number)));
}

void draw(Range& cells, const Line& line) {
  const auto border = cells.Borders(Variant(line.edge));
  border->SetLineStyle(Variant(line.style));
  if (line.style == kContinuous) border->SetWeight(Variant(line.weight));
  border->SetColorIndex(Variant(line.color));
}

// Each column of the table as wide as its widest displayed text, read down to `last_row`;
// blank columns keep their widths.
void fit_columns(Range& table, int last_row) {
  const SheetHandle& handle = table.sheet();
  const model::Sheet& sheet = handle.get();
  const model::RangeRef& area = table.area();
  for (int col = area.first.col; col <= area.last.col; ++col) {
    int pixels = 0;
    for (int row = area.first.row; row <= last_row; ++row)
      pixels = std::max(pixels, fitted_width_pixels(*handle.book, sheet, {row, col}));
    if (pixels == 0) continue;
    const double characters = std::min(255.0, width_characters(handle.workbook(), pixels));
    Range(handle, {{area.first.row, col}, {area.first.row, col}}).SetColumnWidth(Variant(characters));
  }
}

bool flag(std::span<const Variant> arguments, size_t index) {
  return index >= arguments.size() || omitted(arguments[index]) || arguments[index].to_bool();
}

}  // namespace

void AutoFormat(Range& range, TableFormat format, TableFormatParts parts) {
  const Look& look = look_of(format);
  const bool one_cell = range.area().rows() == 1 && range.area().cols() == 1;
  const std::shared_ptr<Range> table =
      one_cell ? range.CurrentRegion() : std::make_shared<Range>(range.sheet(), range.area());
  const model::RangeRef& area = table->area();
  if (area.rows() == 1 && area.cols() == 1) raise(Fault::MethodFailed);
  // Rows past the sheet's last cell show nothing: a table of whole columns has its widths read
  // from the rows in use before the formats fill them.
  const std::optional<model::RangeRef> used = table->sheet().get().cells.used_range();
  const int last_row = used ? std::min(area.last.row, used->last.row) : area.first.row - 1;

  // What a part does not lay, it leaves; what it lays, it lays over the whole table first.
  paint(*table, {.zone = Zone::Table}, parts);
  if (parts.border) table->Borders()->SetLineStyle(Variant(kXlNone));
  for (const Paint& p : look.paints)
    for (const model::RangeRef& cells : zone_areas(area, p.zone)) {
      Range zone(table->sheet(), cells);
      paint(zone, p, parts);
    }
  if (parts.border)
    for (const Line& line : look.lines)
      for (const model::RangeRef& cells : zone_areas(area, line.zone)) {
        Range zone(table->sheet(), cells);
        draw(zone, line);
      }
  if (parts.width) fit_columns(*table, last_row);
}

void AutoFormat(Range& range, std::span<const Variant> arguments) {
  const Variant format = arguments.empty() ? Variant() : arguments[0];
  const auto chosen = static_cast<TableFormat>(omitted(format) ? static_cast<int>(TableFormat::Classic1) : format.to_long());
  AutoFormat(range, chosen,
             {.number = flag(arguments, 1),
              .font = flag(arguments, 2),
              .alignment = flag(arguments, 3),
              .border = flag(arguments, 4),
              .pattern = flag(arguments, 5),
              .width = flag(arguments, 6)});
}

}  // namespace tabrel::xl

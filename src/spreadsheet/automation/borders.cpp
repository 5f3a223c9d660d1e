#include "spreadsheet/automation/borders.h"

#include <array>

#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/constants.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/fold.h"
#include "spreadsheet/ops/cell_format.h"

namespace tabrel::xl {
namespace {

constexpr std::array<int, 6> kAllLines = {kEdgeLeft, kEdgeTop, kEdgeBottom, kEdgeRight, kInsideVertical, kInsideHorizontal};

enum class Side { Left, Top, Bottom, Right };

model::BorderLine& side_of(model::Xf& xf, Side side) {
  switch (side) {
    case Side::Left: return xf.left;
    case Side::Top: return xf.top;
    case Side::Bottom: return xf.bottom;
    case Side::Right: return xf.right;
  }
  return xf.left;
}

model::BorderLine line_on(const model::Xf& xf, Side side) {
  switch (side) {
    case Side::Left: return xf.left;
    case Side::Top: return xf.top;
    case Side::Bottom: return xf.bottom;
    case Side::Right: return xf.right;
  }
  return xf.left;
}

Side opposite(Side side) {
  switch (side) {
    case Side::Left: return Side::Right;
    case Side::Right: return Side::Left;
    case Side::Top: return Side::Bottom;
    case Side::Bottom: return Side::Top;
  }
  return side;
}

// The cell across `side`, when the sheet has one.
std::optional<model::CellRef> neighbour(model::CellRef at, Side side) {
  switch (side) {
    case Side::Left: if (at.col > 0) return model::CellRef{at.row, at.col - 1}; break;
    case Side::Right: if (at.col + 1 < model::kMaxColumns) return model::CellRef{at.row, at.col + 1}; break;
    case Side::Top: if (at.row > 0) return model::CellRef{at.row - 1, at.col}; break;
    case Side::Bottom: if (at.row + 1 < model::kMaxRows) return model::CellRef{at.row + 1, at.col}; break;
  }
  return std::nullopt;
}

// The line drawn on one side of a cell: its own, else the one the neighbour draws there.
model::BorderLine edge(const model::Workbook& wb, const model::Sheet& sheet, model::CellRef at, Side side) {
  const model::BorderLine own = line_on(ops::effective_format(wb, sheet, at), side);
  if (own.style != model::LineStyle::None) return own;
  if (auto next = neighbour(at, side)) return line_on(ops::effective_format(wb, sheet, *next), opposite(side));
  return own;
}

// Which cells and which side of them make line `index` of `area`; nullopt for a diagonal.
struct LinePart {
  model::RangeRef cells;
  Side side;
};

std::optional<LinePart> line_part(const model::RangeRef& a, int index) {
  switch (index) {
    case kEdgeLeft: return LinePart{{a.first, {a.last.row, a.first.col}}, Side::Left};
    case kEdgeRight: return LinePart{{{a.first.row, a.last.col}, a.last}, Side::Right};
    case kEdgeTop: return LinePart{{a.first, {a.first.row, a.last.col}}, Side::Top};
    case kEdgeBottom: return LinePart{{{a.last.row, a.first.col}, a.last}, Side::Bottom};
    case kInsideVertical: return LinePart{{a.first, {a.last.row, a.last.col - 1}}, Side::Right};
    case kInsideHorizontal: return LinePart{{a.first, {a.last.row - 1, a.last.col}}, Side::Bottom};
    default: return std::nullopt;
  }
}

bool empty_part(const model::RangeRef& r) { return r.last.row < r.first.row || r.last.col < r.first.col; }

void check_index(int index) {
  if (index < kDiagonalDown || index > kInsideHorizontal) raise(Fault::BordersItemFailed);
}

// Folds one look of line `index` over `area`.
Variant read_line(const SheetHandle& handle, const model::RangeRef& area, int index,
                  const std::function<Variant(const model::BorderLine&)>& look) {
  const model::Sheet& sheet = handle.get();
  const model::Workbook& wb = handle.workbook();
  if (auto part = line_part(area, index)) {
    if (empty_part(part->cells)) return look(model::BorderLine{});
    return fold_cells(part->cells, [&](model::CellRef at) { return look(edge(wb, sheet, at, part->side)); });
  }
  const bool down = index == kDiagonalDown;
  return fold_cells(area, [&](model::CellRef at) {
    const model::Xf& xf = ops::effective_format(wb, sheet, at);
    const bool drawn = down ? xf.diagonal_down : xf.diagonal_up;
    return look(drawn ? xf.diagonal : model::BorderLine{});
  });
}

// Gives line `index` of `area` a new look; a removed edge is also removed from the neighbour
// that shares it.
void write_line(const SheetHandle& handle, const model::RangeRef& area, int index,
                const std::function<void(model::BorderLine&)>& change) {
  model::Sheet& sheet = handle.get();
  model::Workbook& wb = handle.workbook();
  if (auto part = line_part(area, index)) {
    if (empty_part(part->cells)) return;
    ops::change_format(wb, sheet, part->cells, [&](model::Xf& xf) { change(side_of(xf, part->side)); });
    const model::BorderLine probe = line_on(ops::effective_format(wb, sheet, part->cells.first), part->side);
    if (probe.style != model::LineStyle::None) return;
    const Side across = opposite(part->side);
    auto first = neighbour(part->cells.first, part->side), last = neighbour(part->cells.last, part->side);
    if (first && last) {
      ops::change_format(wb, sheet, {*first, *last},
                         [&](model::Xf& xf) { side_of(xf, across) = model::BorderLine{}; });
    }
    return;
  }
  const bool down = index == kDiagonalDown;
  ops::change_format(wb, sheet, area, [&](model::Xf& xf) {
    change(xf.diagonal);
    (down ? xf.diagonal_down : xf.diagonal_up) = xf.diagonal.style != model::LineStyle::None;
  });
}

void set_style(model::BorderLine& line, int line_style) {
  const int weight = line.style == model::LineStyle::None ? 2 : line_look(line.style).weight;
  const auto code = line_style_code(line_style, weight);
  if (!code) raise(Fault::MethodFailed);
  line.style = *code;
}

void set_weight(model::BorderLine& line, int weight) {
  const int style = line.style == model::LineStyle::None ? 1 : line_look(line.style).line_style;
  const auto code = line_style_code(style, weight);
  if (!code) raise(Fault::MethodFailed);
  line.style = *code;
}

}  // namespace

Borders::Borders(SheetHandle sheet, model::RangeRef area) : sheet_(std::move(sheet)), area_(area) {}

std::shared_ptr<Border> Borders::Item(const Variant& index) const {
  sheet_.get();
  const int i = index.to_long();
  check_index(i);
  return std::make_shared<Border>(sheet_, area_, i);
}

Variant Borders::LineStyle() const {
  Uniform all;
  for (int i : kAllLines) {
    if (line_part(area_, i) && empty_part(line_part(area_, i)->cells)) continue;
    all.add(read_line(sheet_, area_, i, [](const model::BorderLine& l) { return Variant(line_look(l.style).line_style); }));
  }
  return all.result();
}

void Borders::SetLineStyle(const Variant& value) {
  const int style = value.to_long();
  for (int i : kAllLines) write_line(sheet_, area_, i, [&](model::BorderLine& l) { set_style(l, style); });
}

Variant Borders::Weight() const {
  Uniform all;
  for (int i : kAllLines) {
    if (line_part(area_, i) && empty_part(line_part(area_, i)->cells)) continue;
    all.add(read_line(sheet_, area_, i, [](const model::BorderLine& l) { return Variant(line_look(l.style).weight); }));
  }
  return all.result();
}

void Borders::SetWeight(const Variant& value) {
  const int weight = value.to_long();
  for (int i : kAllLines) write_line(sheet_, area_, i, [&](model::BorderLine& l) { set_weight(l, weight); });
}

Border::Border(SheetHandle sheet, model::RangeRef area, int index)
    : sheet_(std::move(sheet)), area_(area), index_(index) {}

Variant Border::read(bool weight) const {
  return read_line(sheet_, area_, index_, [&](const model::BorderLine& l) {
    const LineLook look = line_look(l.style);
    return Variant(weight ? look.weight : look.line_style);
  });
}

Variant Border::LineStyle() const { return read(false); }
Variant Border::Weight() const { return read(true); }

void Border::SetLineStyle(const Variant& value) {
  const int style = value.to_long();
  write_line(sheet_, area_, index_, [&](model::BorderLine& l) { set_style(l, style); });
}

void Border::SetWeight(const Variant& value) {
  const int weight = value.to_long();
  write_line(sheet_, area_, index_, [&](model::BorderLine& l) { set_weight(l, weight); });
}

Variant Border::ColorIndex() const {
  return read_line(sheet_, area_, index_, [](const model::BorderLine& l) {
    return Variant(l.style == model::LineStyle::None ? kXlNone : color_index(l.color));
  });
}

void Border::SetColorIndex(const Variant& value) {
  const auto index = palette_index(value.to_long());
  if (!index) raise(Fault::MethodFailed);
  const uint16_t color = *index == model::kAutomaticColor ? model::kSystemForeground : *index;
  write_line(sheet_, area_, index_, [&](model::BorderLine& l) { l.color = color; });
}

}  // namespace tabrel::xl

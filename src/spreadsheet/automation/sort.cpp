#include "spreadsheet/automation/sort.h"

#include <algorithm>

#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/cell_copies.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/range_address.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

constexpr int kAscending = 1, kDescending = 2, kTopToBottom = 1, kLeftToRight = 2, kSortOnValues = 0;

// The classes of values in their sorting order.
enum class Rank { Number, Text, Logical, Error, Blank };

struct Key {
  Rank rank = Rank::Blank;
  double number = 0;
  std::u16string text;
};

Key key_of(const model::CellValue& v, bool match_case) {
  Key k;
  if (v.is_number()) {
    k.rank = Rank::Number;
    k.number = v.as_number();
  } else if (v.is_text() && !v.as_text().empty()) {
    k.rank = Rank::Text;
    k.text = match_case ? v.as_text() : lower(v.as_text());
  } else if (v.is_bool()) {
    k.rank = Rank::Logical;
    k.number = v.as_bool() ? 1 : 0;
  } else if (v.is_error()) {
    k.rank = Rank::Error;
  }
  return k;
}

// -1, 0 or 1 for a before, equal to or after b in ascending order (blanks handled by the caller).
int order(const Key& a, const Key& b) {
  if (a.rank != b.rank) return a.rank < b.rank ? -1 : 1;
  if (a.rank == Rank::Text) return a.text < b.text ? -1 : (a.text == b.text ? 0 : 1);
  return a.number < b.number ? -1 : (a.number == b.number ? 0 : 1);
}

// The block of filled cells around `at`, as a single selected cell stands for.
model::RangeRef current_region(const model::Sheet& sheet, model::CellRef at) {
  model::RangeRef r{at, at};
  auto filled = [&](int row, int col) {
    if (row < 0 || col < 0 || row >= model::kMaxRows || col >= model::kMaxColumns) return false;
    const model::Cell* c = sheet.cells.find({row, col});
    return c && !c->value.is_blank();
  };
  for (bool grew = true; grew;) {
    grew = false;
    auto line_filled = [&](bool row_line, int fixed, int from, int to) {
      for (int i = from; i <= to; ++i)
        if (row_line ? filled(fixed, i) : filled(i, fixed)) return true;
      return false;
    };
    if (line_filled(true, r.first.row - 1, r.first.col - 1, r.last.col + 1)) { --r.first.row; grew = true; }
    if (line_filled(true, r.last.row + 1, r.first.col - 1, r.last.col + 1)) { ++r.last.row; grew = true; }
    if (line_filled(false, r.first.col - 1, r.first.row, r.last.row)) { --r.first.col; grew = true; }
    if (line_filled(false, r.last.col + 1, r.first.row, r.last.row)) { ++r.last.col; grew = true; }
  }
  return r;
}

// xlGuess: the first line is a header when, in some column, it holds text over a number, or
// when all its cells are formatted differently from the line below.
bool guess_header(const SheetHandle& sheet, const model::RangeRef& area, bool by_columns) {
  const int lines = by_columns ? area.cols() : area.rows();
  if (lines < 2) return false;
  const int width = by_columns ? area.rows() : area.cols();
  bool all_formats_differ = true;
  for (int i = 0; i < width; ++i) {
    const model::CellRef first = by_columns ? model::CellRef{area.first.row + i, area.first.col}
                                            : model::CellRef{area.first.row, area.first.col + i};
    const model::CellRef second = by_columns ? model::CellRef{first.row, first.col + 1}
                                             : model::CellRef{first.row + 1, first.col};
    const CellCopy a = read_cell(sheet, first, false), b = read_cell(sheet, second, false);
    if (a.value.is_text() && b.value.is_number()) return true;
    if (a.xf == b.xf) all_formats_differ = false;
  }
  return all_formats_differ;
}

model::RangeRef area_of(const SheetHandle& sheet, const Variant& v) {
  if (v.is_string()) {
    const auto area = parse_range_address(v.str());
    if (!area) raise(Fault::MethodFailed);
    return *area;
  }
  auto range = v.is_object() ? std::dynamic_pointer_cast<Range>(v.object()) : nullptr;
  if (!range || !(range->sheet() == sheet)) raise(Fault::MethodFailed);
  return range->area();
}

}  // namespace

SortHeader sort_header(const Variant& header) {
  if (omitted(header)) return SortHeader::No;
  switch (header.to_long()) {
    case 0: return SortHeader::Guess;
    case 1: return SortHeader::Yes;
    case 2: return SortHeader::No;
    default: raise(Fault::MethodFailed);
  }
}

void sort_cells(const SheetHandle& sheet, model::RangeRef area, const std::vector<SortKey>& keys, SortHeader header,
                bool match_case, bool by_columns) {
  const model::Sheet& s = sheet.get();
  if (area.cell_count() == 1) area = current_region(s, area.first);
  if (keys.empty()) return;
  for (const auto& k : keys) {
    const bool inside = by_columns ? k.line >= area.first.row && k.line <= area.last.row
                                   : k.line >= area.first.col && k.line <= area.last.col;
    if (!inside) raise(Fault::MethodFailed);
  }
  bool skip_first = header == SortHeader::Yes;
  if (header == SortHeader::Guess) skip_first = guess_header(sheet, area, by_columns);
  const int first_line = (by_columns ? area.first.col : area.first.row) + (skip_first ? 1 : 0);
  const int last_line = by_columns ? area.last.col : area.last.row;
  if (last_line <= first_line) return;
  const int width = by_columns ? area.rows() : area.cols();
  const int across0 = by_columns ? area.first.row : area.first.col;
  auto cell_at = [&](int line, int across) {
    return by_columns ? model::CellRef{across, line} : model::CellRef{line, across};
  };

  struct Line {
    std::vector<Key> keys;
    std::vector<CellCopy> cells;
  };
  std::vector<Line> lines;
  for (int line = first_line; line <= last_line; ++line) {
    Line l;
    for (const auto& k : keys) l.keys.push_back(key_of(read_cell(sheet, cell_at(line, k.line), false).value, match_case));
    for (int i = 0; i < width; ++i) l.cells.push_back(read_cell(sheet, cell_at(line, across0 + i)));
    lines.push_back(std::move(l));
  }
  std::stable_sort(lines.begin(), lines.end(), [&](const Line& a, const Line& b) {
    for (size_t i = 0; i < keys.size(); ++i) {
      const Key &x = a.keys[i], &y = b.keys[i];
      const bool xb = x.rank == Rank::Blank, yb = y.rank == Rank::Blank;
      if (xb || yb) {
        if (xb == yb) continue;
        return yb;  // blanks last in either order
      }
      const int c = order(x, y);
      if (c != 0) return keys[i].descending ? c > 0 : c < 0;
    }
    return false;
  });
  for (size_t l = 0; l < lines.size(); ++l)
    for (int i = 0; i < width; ++i)
      write_cell(sheet, cell_at(first_line + static_cast<int>(l), across0 + i), lines[l].cells[static_cast<size_t>(i)]);
}

Sort::Sort(SheetHandle sheet) : sheet_(std::move(sheet)) {}

SortSettings& Sort::settings() const {
  sheet_.get();
  return sheet_.book->sorts[sheet_.sheet];
}

void Sort::SetRange(const Variant& range) {
  SortSettings& s = settings();
  s.range = area_of(sheet_, range);
  s.has_range = true;
}

Variant Sort::Header() const {
  switch (settings().header) {
    case SortHeader::Guess: return Variant(0);
    case SortHeader::Yes: return Variant(1);
    case SortHeader::No: break;
  }
  return Variant(2);
}
void Sort::SetHeader(const Variant& value) { settings().header = sort_header(value); }
Variant Sort::MatchCase() const { return Variant(settings().match_case); }
void Sort::SetMatchCase(const Variant& value) { settings().match_case = value.to_bool(); }
Variant Sort::Orientation() const { return Variant(settings().by_columns ? kLeftToRight : kTopToBottom); }

void Sort::SetOrientation(const Variant& value) {
  const int o = value.to_long();
  if (o != kTopToBottom && o != kLeftToRight) raise(Fault::MethodFailed);
  settings().by_columns = o == kLeftToRight;
}

void Sort::Apply() {
  const SortSettings& s = settings();
  if (!s.has_range) raise(Fault::MethodFailed);
  sort_cells(sheet_, s.range, s.keys, s.header, s.match_case, s.by_columns);
}

SortFields::SortFields(SheetHandle sheet) : sheet_(std::move(sheet)) {}

int SortFields::Count() const { return static_cast<int>(Sort(sheet_).settings().keys.size()); }
void SortFields::Clear() { Sort(sheet_).settings().keys.clear(); }

void SortFields::Add(const Variant& key, const Variant& sort_on, const Variant& order) {
  if (!omitted(sort_on) && sort_on.to_long() != kSortOnValues) raise(Fault::MethodFailed);
  const int o = omitted(order) ? kAscending : order.to_long();
  if (o != kAscending && o != kDescending) raise(Fault::MethodFailed);
  SortSettings& s = Sort(sheet_).settings();
  const model::RangeRef area = area_of(sheet_, key);
  s.keys.push_back(SortKey{s.by_columns ? area.first.row : area.first.col, o == kDescending});
}

}  // namespace tabrel::xl

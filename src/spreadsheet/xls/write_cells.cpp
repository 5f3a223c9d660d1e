#include "spreadsheet/xls/write_cells.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <map>
#include <set>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/strings.h"
#include "spreadsheet/xls/write_styles.h"

namespace tabrel::xls {
namespace {

constexpr int kRowsPerBlock = 32;
constexpr uint8_t kPtgExp = 0x01, kPtgTbl = 0x02;

uint8_t error_code(CellError e) { return static_cast<uint8_t>(static_cast<int32_t>(e) - 2000); }

void ref_u(biff::PayloadBuilder& p, const model::RangeRef& r) {
  p.u16(static_cast<uint16_t>(r.first.row));
  p.u16(static_cast<uint16_t>(r.last.row));
  p.u8(static_cast<uint8_t>(r.first.col));
  p.u8(static_cast<uint8_t>(r.last.col));
}

void formula_body(biff::PayloadBuilder& p, const std::vector<uint8_t>& tokens, const std::vector<uint8_t>& extra) {
  p.u16(static_cast<uint16_t>(tokens.size()));
  p.bytes(tokens);
  p.bytes(extra);
}

// Rows with a ROW record: those with cells or row formatting, ascending.
std::vector<int> rows_to_write(const model::Sheet& sheet) {
  std::vector<int> rows;
  for (const auto& [row, info] : sheet.rows) rows.push_back(row);
  for (const auto& [key, cell] : sheet.cells) rows.push_back(model::CellStore::position(key).row);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

class CellTableWriter {
 public:
  CellTableWriter(biff::RecordWriter& out, const model::Sheet& sheet, const SharedStringTable& strings,
                  size_t xf_count)
      : out_(out), sheet_(sheet), strings_(strings), xf_count_(xf_count) {}

  CellTableIndex run() {
    CellTableIndex index;
    const std::vector<int> rows = rows_to_write(sheet_);
    if (!rows.empty()) index.first_row = rows.front(), index.end_row = rows.back() + 1;
    for (size_t begin = 0; begin < rows.size();) {
      const int block = rows[begin] / kRowsPerBlock;
      size_t end = begin;
      while (end < rows.size() && rows[end] / kRowsPerBlock == block) ++end;
      const uint64_t first_row_at = out_.position();
      uint64_t first_row_end = 0;
      for (size_t i = begin; i < end; ++i) {
        row_record(rows[i]);
        if (i == begin) first_row_end = out_.position();
      }
      std::map<int, uint64_t> first_cell_at;
      auto it = sheet_.cells.lower_bound({rows[begin], 0});
      for (; it != sheet_.cells.end() && model::CellStore::position(it->first).row / kRowsPerBlock == block; ++it) {
        first_cell_at.emplace(model::CellStore::position(it->first).row, out_.position());
        cell_records(it->first, it->second);
      }
      index.dbcells.push_back(out_.position());
      // Back to the block's first ROW; then, per row, on from the first ROW's end (for the first
      // row) or from the previous row's first cell to the row's first cell (0 for a row without).
      biff::PayloadBuilder p;
      p.u32(static_cast<uint32_t>(out_.position() - first_row_at));
      uint64_t from = first_row_end;
      for (size_t i = begin; i < end; ++i) {
        auto cell = first_cell_at.find(rows[i]);
        p.u16(cell == first_cell_at.end() ? 0 : static_cast<uint16_t>(cell->second - from));
        if (cell != first_cell_at.end()) from = cell->second;
      }
      out_.write(biff::rt::DBCell, p);
      begin = end;
    }
    return index;
  }

 private:
  uint16_t xf(uint16_t index) const { return index < xf_count_ ? index : kDefaultCellXf; }

  void row_record(int row) {
    int first = 0, last = 0;
    auto it = sheet_.cells.lower_bound({row, 0});
    if (it != sheet_.cells.end() && model::CellStore::position(it->first).row == row) {
      first = model::CellStore::position(it->first).col;
      for (; it != sheet_.cells.end() && model::CellStore::position(it->first).row == row; ++it)
        last = model::CellStore::position(it->first).col + 1;
    }
    model::RowInfo info;
    info.height = sheet_.default_row_height;
    if (auto r = sheet_.rows.find(row); r != sheet_.rows.end()) info = r->second;
    biff::PayloadBuilder p;
    p.u16(static_cast<uint16_t>(row));
    p.u16(static_cast<uint16_t>(first));
    p.u16(static_cast<uint16_t>(last));
    p.u16(static_cast<uint16_t>((info.height & 0x7FFF) | (info.default_height ? 0x8000 : 0)));
    p.u16(0);
    p.u16(0);
    p.u16(static_cast<uint16_t>((info.outline_level & 0x7) | (info.collapsed ? 0x10 : 0) |
                                (info.hidden ? 0x20 : 0) | (info.custom_height ? 0x40 : 0) |
                                (info.has_xf ? 0x80 : 0) | 0x0100));
    p.u16(xf(info.xf));  // kept as stored even where the row has no format of its own
    out_.write(biff::rt::Row, p);
  }

  void cell_header(biff::PayloadBuilder& p, model::CellRef at, const model::Cell& cell) const {
    p.u16(static_cast<uint16_t>(at.row));
    p.u16(static_cast<uint16_t>(at.col));
    p.u16(xf(cell.xf));
  }

  void cell_records(uint32_t key, const model::Cell& cell) {
    const model::CellRef at = model::CellStore::position(key);
    biff::PayloadBuilder p;
    cell_header(p, at, cell);
    if (cell.has_formula()) {
      formula_records(at, cell);
      return;
    }
    const model::CellValue& v = cell.value;
    if (v.is_number()) {
      if (auto rk = rk_encode(v.as_number())) {
        p.u32(*rk);
        out_.write(biff::rt::RK, p);
      } else {
        p.f64(v.as_number());
        out_.write(biff::rt::Number, p);
      }
    } else if (v.is_text()) {
      p.u32(strings_.index_of(v.as_rich()));
      out_.write(biff::rt::LabelSst, p);
    } else if (v.is_bool() || v.is_error()) {
      p.u8(v.is_bool() ? static_cast<uint8_t>(v.as_bool() ? 1 : 0) : error_code(v.as_error()));
      p.u8(v.is_error() ? 1 : 0);
      out_.write(biff::rt::BoolErr, p);
    } else {
      out_.write(biff::rt::Blank, p);
    }
  }

  // The cell whose shared, array or table definition a PtgExp or PtgTbl formula points at.
  static std::optional<uint32_t> master_key(const model::Formula& f) {
    if (f.tokens.size() < 5 || (f.tokens[0] != kPtgExp && f.tokens[0] != kPtgTbl)) return std::nullopt;
    return model::CellStore::key({f.tokens[1] | (f.tokens[2] << 8), f.tokens[3] | (f.tokens[4] << 8)});
  }

  // Writes FORMULA, then the shared, array or table definition it is the first to use, then
  // the STRING record of a text result.
  void formula_records(model::CellRef at, const model::Cell& cell) {
    const model::Formula& f = *cell.formula;
    const FormulaResult result = formula_result(cell.value);
    biff::PayloadBuilder p;
    cell_header(p, at, cell);
    p.bytes(result.bytes);
    p.u16(f.flags);
    p.u32(0);
    formula_body(p, f.tokens, f.extra);
    out_.write(biff::rt::Formula, p);

    if (const auto master = master_key(f); master && definitions_written_.insert(*master).second)
      definition_record(*master);

    if (result.needs_string) {
      biff::PayloadBuilder sp;
      biff::append_string(sp, std::u16string_view(cell.value.as_text()).substr(0, 0xFFFF));
      out_.write(biff::rt::String, sp);
    }
  }

  // The SHRFMLA, ARRAY or TABLE record of the definition held for `master`, if any.
  void definition_record(uint32_t master) {
    biff::PayloadBuilder p;
    if (auto s = sheet_.shared_formulas.find(master); s != sheet_.shared_formulas.end()) {
      ref_u(p, s->second.range);
      p.u8(0);
      p.u8(static_cast<uint8_t>(std::min(shared_uses(s->second.range), 255)));
      formula_body(p, s->second.tokens, s->second.extra);
      out_.write(biff::rt::ShrFmla, p);
    } else if (auto a = sheet_.array_formulas.find(master); a != sheet_.array_formulas.end()) {
      ref_u(p, a->second.range);
      p.u16(a->second.flags);
      p.u32(0);
      formula_body(p, a->second.tokens, a->second.extra);
      out_.write(biff::rt::Array, p);
    } else if (auto t = sheet_.data_tables.find(master); t != sheet_.data_tables.end()) {
      ref_u(p, t->second.range);
      p.u16(t->second.flags);
      for (const model::CellRef& input : {t->second.input1, t->second.input2}) {
        p.u16(static_cast<uint16_t>(input.row));
        p.u16(static_cast<uint16_t>(input.col));
      }
      out_.write(biff::rt::Table, p);
    }
  }

  // Formula cells of the range that point at a shared definition (PtgExp).
  int shared_uses(const model::RangeRef& range) const {
    int uses = 0;
    for (int row = range.first.row; row <= range.last.row; ++row) {
      for (auto it = sheet_.cells.lower_bound({row, range.first.col});
           it != sheet_.cells.end() && model::CellStore::position(it->first).row == row &&
           model::CellStore::position(it->first).col <= range.last.col;
           ++it) {
        const auto& formula = it->second.formula;
        if (formula && !formula->tokens.empty() && formula->tokens[0] == kPtgExp) ++uses;
      }
    }
    return uses;
  }

  biff::RecordWriter& out_;
  const model::Sheet& sheet_;
  const SharedStringTable& strings_;
  size_t xf_count_;
  std::set<uint32_t> definitions_written_;
};

}  // namespace

std::optional<uint32_t> rk_encode(double value) {
  if (!std::isfinite(value) || (value == 0 && std::signbit(value))) return std::nullopt;
  constexpr double kLimit = 536870912.0;  // 2^29: RK integers hold 30 bits with their sign
  if (value == std::floor(value) && value >= -kLimit && value < kLimit)
    return (static_cast<uint32_t>(static_cast<int32_t>(value)) << 2) | 0x2u;
  const double hundred = value * 100;
  if (hundred == std::floor(hundred) && hundred >= -kLimit && hundred < kLimit &&
      static_cast<double>(static_cast<int32_t>(hundred)) / 100 == value)
    return (static_cast<uint32_t>(static_cast<int32_t>(hundred)) << 2) | 0x3u;
  const auto bits = std::bit_cast<uint64_t>(value);
  if ((bits & 0x3'FFFF'FFFFull) == 0) return static_cast<uint32_t>(bits >> 32);
  const auto bits100 = std::bit_cast<uint64_t>(hundred);
  if ((bits100 & 0x3'FFFF'FFFFull) == 0 && std::bit_cast<double>(bits100) / 100 == value)
    return static_cast<uint32_t>(bits100 >> 32) | 0x1u;
  return std::nullopt;
}

FormulaResult formula_result(const model::CellValue& value) {
  FormulaResult r{{0, 0, 0, 0, 0, 0, 0xFF, 0xFF}, false};
  if (value.is_number()) {
    const double d = value.as_number();
    std::memcpy(r.bytes, &d, 8);
  } else if (value.is_text() && !value.as_text().empty()) {
    r.needs_string = true;
  } else if (value.is_bool()) {
    r.bytes[0] = 1;
    r.bytes[2] = value.as_bool() ? 1 : 0;
  } else if (value.is_error()) {
    r.bytes[0] = 2;
    r.bytes[2] = error_code(value.as_error());
  } else {
    r.bytes[0] = 3;  // empty text (also for a result never computed)
  }
  return r;
}

void write_dimensions(biff::RecordWriter& out, const model::Sheet& sheet) {
  const auto used = sheet.cells.used_range();
  biff::PayloadBuilder p;
  p.u32(used ? static_cast<uint32_t>(used->first.row) : 0);
  p.u32(used ? static_cast<uint32_t>(used->last.row + 1) : 0);
  p.u16(used ? static_cast<uint16_t>(used->first.col) : 0);
  p.u16(used ? static_cast<uint16_t>(used->last.col + 1) : 0);
  p.u16(0);
  out.write(biff::rt::Dimensions, p);
}

size_t cell_table_blocks(const model::Sheet& sheet) {
  std::set<int> blocks;
  for (int row : rows_to_write(sheet)) blocks.insert(row / kRowsPerBlock);
  return blocks.size();
}

CellTableIndex write_cell_table(biff::RecordWriter& out, const model::Sheet& sheet, const SharedStringTable& strings,
                                size_t xf_count) {
  return CellTableWriter(out, sheet, strings, xf_count).run();
}

}  // namespace tabrel::xls

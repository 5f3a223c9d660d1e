#include "spreadsheet/xls/read_cells.h"

#include <bit>
#include <cstring>
#include <memory>

#include "spreadsheet/biff/record_cursor.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/strings.h"
#include "spreadsheet/xls/read_text.h"

namespace tabrel::xls {

namespace {

namespace rt = biff::rt;

// RSTRING: a text cell with formatting runs, written by older versions.
constexpr uint16_t kRString = 0x00D6;

model::CellRef cell_position(biff::RecordCursor& c, uint16_t row, uint16_t col) {
  if (col >= model::kMaxColumns) c.fail("cell column past the last column");
  return {row, col};
}

struct CellHeader {
  model::CellRef at;
  uint16_t xf;
};

CellHeader header(biff::RecordCursor& c) {
  const uint16_t row = c.u16();
  const uint16_t col = c.u16();
  const uint16_t xf = c.u16();
  return {cell_position(c, row, col), xf};
}

void put(CellContext& ctx, const CellHeader& h, model::CellValue value) {
  model::Cell cell;
  cell.value = std::move(value);
  cell.xf = h.xf;
  ctx.sheet.cells.put(h.at, std::move(cell));
}

model::CellValue error_value(uint8_t code) {
  switch (code) {
    case 0x00: case 0x07: case 0x0F: case 0x17: case 0x1D: case 0x24: case 0x2A:
      return model::CellValue::error(static_cast<CellError>(2000 + code));
    default:
      return model::CellValue::error(CellError::NA);
  }
}

std::vector<uint8_t> take(biff::RecordCursor& c, size_t n) {
  auto b = c.bytes(n);
  return {b.begin(), b.end()};
}

std::vector<uint8_t> take_rest(biff::RecordCursor& c) { return take(c, c.remaining()); }

// Rows and columns of a RefU (two-byte rows, one-byte columns).
model::RangeRef read_ref_u(biff::RecordCursor& c) {
  model::RangeRef r;
  r.first.row = c.u16();
  r.last.row = c.u16();
  r.first.col = c.u8();
  r.last.col = c.u8();
  if (r.last.row < r.first.row || r.last.col < r.first.col) c.fail("range with its end before its start");
  return r;
}

void read_number(biff::RecordCursor& c, CellContext& ctx) {
  const auto h = header(c);
  put(ctx, h, model::CellValue::number(c.f64()));
}

void read_rk(biff::RecordCursor& c, CellContext& ctx) {
  const auto h = header(c);
  put(ctx, h, model::CellValue::number(decode_rk(c.u32())));
}

void read_mulrk(biff::RecordCursor& c, CellContext& ctx) {
  const uint16_t row = c.u16();
  const uint16_t first = c.u16();
  if (c.remaining() < 2) c.fail("MULRK without cells");
  const size_t count = (c.remaining() - 2) / 6;
  for (size_t i = 0; i < count; ++i) {
    const uint16_t xf = c.u16();
    const double v = decode_rk(c.u32());
    put(ctx, {cell_position(c, row, static_cast<uint16_t>(first + i)), xf}, model::CellValue::number(v));
  }
}

void read_mulblank(biff::RecordCursor& c, CellContext& ctx) {
  const uint16_t row = c.u16();
  const uint16_t first = c.u16();
  if (c.remaining() < 2) c.fail("MULBLANK without cells");
  const size_t count = (c.remaining() - 2) / 2;
  for (size_t i = 0; i < count; ++i) {
    const uint16_t xf = c.u16();
    ctx.sheet.cells.put_blank(cell_position(c, row, static_cast<uint16_t>(first + i)), xf);
  }
}

void read_label_sst(biff::RecordCursor& c, CellContext& ctx) {
  const auto h = header(c);
  const uint32_t index = c.u32();
  if (index >= ctx.shared_strings.size()) c.fail("LABELSST: no such shared string");
  put(ctx, h, model::CellValue::shared(ctx.shared_strings[index]));
}

void read_label(biff::RecordCursor& c, CellContext& ctx) {
  const auto h = header(c);
  put(ctx, h, model::CellValue::text(biff::read_string(c)));
}

void read_rstring(biff::RecordCursor& c, CellContext& ctx) {
  const auto h = header(c);
  model::RichText t;
  t.text = biff::read_string(c);
  const uint16_t runs = c.u16();
  if (static_cast<size_t>(runs) * 4 > c.remaining()) c.fail("RSTRING: more runs than bytes");
  for (uint16_t i = 0; i < runs; ++i) {
    model::FormatRun r;
    r.first_char = c.u16();
    r.font = c.u16();
    t.runs.push_back(r);
  }
  put(ctx, h, model::CellValue::rich(std::move(t)));
}

void read_boolerr(biff::RecordCursor& c, CellContext& ctx) {
  const auto h = header(c);
  const uint8_t value = c.u8();
  const bool is_error = c.u8() != 0;
  put(ctx, h, is_error ? error_value(value) : model::CellValue::boolean(value != 0));
}

void read_blank(biff::RecordCursor& c, CellContext& ctx) {
  const auto h = header(c);
  ctx.sheet.cells.put_blank(h.at, h.xf);
}

void read_formula(biff::RecordCursor& c, CellContext& ctx) {
  const auto h = header(c);
  auto value_bytes = c.bytes(8);
  auto f = model::FormulaPtr::make();
  f->flags = c.u16();
  c.skip(4);
  const uint16_t cce = c.u16();
  f->tokens = take(c, cce);
  f->extra = take_rest(c);

  model::CellValue value;
  ctx.awaiting_string.reset();
  if (value_bytes[6] == 0xFF && value_bytes[7] == 0xFF) {
    switch (value_bytes[0]) {
      case 0:
        f->cached_string = true;
        value = model::CellValue::text(u"");
        ctx.awaiting_string = h.at;
        break;
      case 1: value = model::CellValue::boolean(value_bytes[2] != 0); break;
      case 2: value = error_value(value_bytes[2]); break;
      default: value = model::CellValue::text(u""); f->cached_string = true; break;
    }
  } else {
    uint64_t raw = 0;
    for (int i = 7; i >= 0; --i) raw = (raw << 8) | value_bytes[i];
    value = model::CellValue::number(std::bit_cast<double>(raw));
  }
  model::Cell cell;
  cell.value = std::move(value);
  cell.xf = h.xf;
  cell.formula = std::move(f);
  ctx.sheet.cells.put(h.at, std::move(cell));
}

void read_string_result(biff::RecordCursor& c, CellContext& ctx) {
  if (!ctx.awaiting_string) return;
  model::Cell* cell = ctx.sheet.cells.find(*ctx.awaiting_string);
  ctx.awaiting_string.reset();
  if (cell) cell->value = model::CellValue::text(biff::read_string(c));
}

void read_shared_formula(biff::RecordCursor& c, CellContext& ctx) {
  model::SharedFormula s;
  s.range = read_ref_u(c);
  c.skip(2);  // reserved, use count
  const uint16_t cce = c.u16();
  s.tokens = take(c, cce);
  s.extra = take_rest(c);
  ctx.sheet.shared_formulas[model::CellStore::key(s.range.first)] = std::move(s);
}

void read_array(biff::RecordCursor& c, CellContext& ctx) {
  model::ArrayFormula a;
  a.range = read_ref_u(c);
  a.flags = c.u16();
  c.skip(4);
  const uint16_t cce = c.u16();
  a.tokens = take(c, cce);
  a.extra = take_rest(c);
  ctx.sheet.array_formulas[model::CellStore::key(a.range.first)] = std::move(a);
}

void read_table(biff::RecordCursor& c, CellContext& ctx) {
  model::DataTable t;
  t.range = read_ref_u(c);
  t.flags = c.u16();
  t.input1.row = c.u16();
  t.input1.col = c.u16();
  t.input2.row = c.u16();
  t.input2.col = c.u16();
  ctx.sheet.data_tables[model::CellStore::key(t.range.first)] = t;
}

}  // namespace

double decode_rk(uint32_t rk) {
  double v;
  if (rk & 0x2) {
    v = static_cast<double>(static_cast<int32_t>(rk) >> 2);
  } else {
    v = std::bit_cast<double>(static_cast<uint64_t>(rk & 0xFFFFFFFCu) << 32);
  }
  return (rk & 0x1) ? v / 100 : v;
}

bool read_cell_record(const biff::Record& rec, CellContext& ctx) {
  biff::RecordCursor c(rec);
  switch (rec.type) {
    case rt::Number: read_number(c, ctx); break;
    case rt::RK: read_rk(c, ctx); break;
    case rt::MulRk: read_mulrk(c, ctx); break;
    case rt::MulBlank: read_mulblank(c, ctx); break;
    case rt::LabelSst: read_label_sst(c, ctx); break;
    case rt::Label: read_label(c, ctx); break;
    case kRString: read_rstring(c, ctx); break;
    case rt::BoolErr: read_boolerr(c, ctx); break;
    case rt::Blank: read_blank(c, ctx); break;
    case rt::Formula: read_formula(c, ctx); break;
    case rt::String: read_string_result(c, ctx); break;
    case rt::ShrFmla: read_shared_formula(c, ctx); break;
    case rt::Array: read_array(c, ctx); break;
    case rt::Table: read_table(c, ctx); break;
    default: return false;
  }
  return true;
}

}  // namespace tabrel::xls

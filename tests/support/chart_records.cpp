#include "chart_records.h"

#include <cstring>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/parse.h"
#include "spreadsheet/xls/read_chart.h"

namespace tabrel::chart_test {
namespace {

namespace rt = biff::rt;

class Payload {
 public:
  Payload& u8(uint8_t v) { b_.push_back(v); return *this; }
  Payload& u16(uint16_t v) { return u8(v & 0xFF).u8(static_cast<uint8_t>(v >> 8)); }
  Payload& u32(uint32_t v) { return u16(v & 0xFFFF).u16(static_cast<uint16_t>(v >> 16)); }
  Payload& f64(double d) {
    uint64_t raw;
    std::memcpy(&raw, &d, 8);
    return u32(static_cast<uint32_t>(raw)).u32(static_cast<uint32_t>(raw >> 32));
  }
  Payload& zeros(size_t n) { b_.insert(b_.end(), n, 0); return *this; }
  Payload& bytes(const std::vector<uint8_t>& v) { b_.insert(b_.end(), v.begin(), v.end()); return *this; }
  std::vector<uint8_t> take() { return std::move(b_); }

 private:
  std::vector<uint8_t> b_;
};

class Writer {
 public:
  explicit Writer(model::Workbook& wb) : wb_(wb) {}
  void rec(uint16_t id, Payload p = {}) { out_.push_back({id, p.take(), {}}); }
  void begin() { rec(rt::Begin); }
  void end() { rec(rt::End); }

  std::vector<uint8_t> tokens(const std::u16string& ref) {
    const formula::Node n = formula::parse(ref, wb_, {}, formula::Notation::A1);
    return formula::encode(n, {}, formula::EncodeForm::Name).tokens;
  }
  void brai(uint8_t id, const std::u16string& ref, bool literal = false) {
    Payload p;
    const std::vector<uint8_t> t = ref.empty() ? std::vector<uint8_t>{} : tokens(ref);
    p.u8(id).u8(literal ? 1 : t.empty() ? 0 : 2).u16(0).u16(0).u16(static_cast<uint16_t>(t.size())).bytes(t);
    rec(rt::BRAI, std::move(p));
  }
  void series_text(const std::u16string& s) {
    Payload p;
    p.u16(0).u8(static_cast<uint8_t>(s.size())).u8(1);
    for (char16_t c : s) p.u16(c);
    rec(rt::SeriesText, std::move(p));
  }
  void line(std::optional<uint16_t> icv) {
    Payload p;
    p.u32(0).u16(0).u16(0).u16(icv ? 0 : 1).u16(icv.value_or(0x4D));
    rec(rt::LineFormat, std::move(p));
  }
  void area(std::optional<uint16_t> icv) {
    Payload p;
    p.u32(0).u32(0).u16(1).u16(icv ? 0 : 1).u16(icv.value_or(0x4E)).u16(0x4D);
    rec(rt::AreaFormat, std::move(p));
  }
  void frame(uint16_t frt, std::optional<uint16_t> fill) {
    rec(rt::Frame, Payload().u16(frt).u16(3));
    begin();
    line(std::nullopt);
    area(fill);
    end();
  }
  void text(uint16_t link, const std::u16string& s, uint16_t rotation) {
    rec(rt::Text, Payload().u8(2).u8(2).u16(1).u32(0).zeros(16).u16(0).u16(0x4D).u16(0).u16(rotation));
    begin();
    rec(rt::Pos, Payload().zeros(20));
    brai(0, u"");
    series_text(s);
    rec(rt::ObjectLink, Payload().u16(link).u16(0).u16(0));
    end();
  }
  void data_format(uint16_t point, uint16_t series, const SeriesSpec* s, uint16_t label_flags) {
    rec(rt::DataFormat, Payload().u16(point).u16(series).u16(series).u16(0));
    begin();
    if (s) {
      if (s->line_color) line(s->line_color);
      if (s->fill_color) area(s->fill_color);
      if (s->smooth) rec(rt::SerFmt, Payload().u16(1));
      if (s->no_markers) rec(rt::MarkerFormat, Payload().zeros(8).u16(0).u16(0).u16(0).u16(0).u32(100));
    }
    if (label_flags) rec(rt::AttachedLabel, Payload().u16(label_flags));
    end();
  }
  std::vector<model::RawRecord> take() { return std::move(out_); }

 private:
  model::Workbook& wb_;
  std::vector<model::RawRecord> out_;
};

void axes(Writer& w, const ChartSpec& spec, uint16_t group) {
  w.rec(rt::Axis, Payload().u16(0).zeros(16));
  w.begin();
  w.rec(rt::CatSerRange, Payload().u16(1).u16(1).u16(1).u16(spec.reversed_categories && group == 0 ? 5 : 1));
  w.rec(rt::Tick, Payload().u8(2).u8(0).u8(3).zeros(27));
  if (spec.wall_fill && group == 0) {
    w.rec(rt::AxisLine, Payload().u16(3));
    w.line(std::nullopt);
    w.area(spec.wall_fill);
  }
  w.end();
  w.rec(rt::Axis, Payload().u16(1).zeros(16));
  w.begin();
  const bool fixed = spec.value_maximum && group == 0;
  w.rec(rt::ValueRange, Payload().f64(0).f64(fixed ? *spec.value_maximum : 0).f64(0).f64(0).f64(0).u16(fixed ? 0x1D : 0x1F));
  w.rec(rt::Tick, Payload().u8(2).u8(0).u8(3).zeros(27));
  if (spec.value_gridlines && group == 0) {
    w.rec(rt::AxisLine, Payload().u16(1));
    w.line(std::nullopt);
  }
  w.end();
}

}  // namespace

SeriesSpec series(std::u16string name_ref, std::u16string values_ref, std::u16string categories_ref) {
  SeriesSpec s;
  s.name_ref = std::move(name_ref);
  s.values_ref = std::move(values_ref);
  s.categories_ref = std::move(categories_ref);
  return s;
}

SeriesSpec literal_series(std::u16string name, std::u16string values_ref) {
  SeriesSpec s;
  s.literal_name = std::move(name);
  s.values_ref = std::move(values_ref);
  return s;
}

GroupSpec group(uint16_t type, std::vector<uint8_t> payload, uint16_t axis_group) {
  GroupSpec g;
  g.type = type;
  g.payload = std::move(payload);
  g.axis_group = axis_group;
  return g;
}

std::vector<model::RawRecord> chart_records(model::Workbook& wb, const ChartSpec& spec) {
  Writer w(wb);
  w.rec(rt::BOF, Payload().u16(0x0600).u16(0x0020).u16(0x0DBB).u16(0x07CC).u32(0).u32(6));
  if (spec.scaled_fonts) w.rec(rt::Fbi, Payload().u16(5000).u16(3000).u16(200).u16(0).u16(5));
  w.rec(rt::Units, Payload().u16(0));
  w.rec(rt::Chart, Payload().zeros(16));
  w.begin();
  w.frame(spec.shadow ? 4 : 0, std::nullopt);
  for (size_t i = 0; i < spec.series.size(); ++i) {
    const SeriesSpec& s = spec.series[i];
    w.rec(rt::Series, Payload().u16(s.categories_ref.empty() ? 1 : 3).u16(1).u16(0).u16(0).u16(1).u16(0));
    w.begin();
    w.brai(0, s.name_ref, s.name_ref.empty() && !s.literal_name.empty());
    if (s.name_ref.empty() && !s.literal_name.empty()) w.series_text(s.literal_name);
    w.brai(1, s.values_ref);
    w.brai(2, s.categories_ref);
    w.brai(3, u"");
    const auto index = static_cast<uint16_t>(i);
    w.data_format(0xFFFF, index, &s, s.label_flags);
    for (const auto& [point, flags] : s.point_labels) w.data_format(point, index, nullptr, flags);
    w.rec(rt::SerToCrt, Payload().u16(s.group));
    w.end();
  }
  w.rec(rt::ShtProps, Payload().u16(0x0A).u8(0).u8(0));
  w.rec(rt::AxesUsed, Payload().u16(1));
  for (uint16_t g = 0; g < 2; ++g) {
    bool used = false;
    for (const GroupSpec& gs : spec.groups) used |= gs.axis_group == g;
    if (!used) continue;
    w.rec(rt::AxisParent, Payload().u16(g).zeros(16));
    w.begin();
    w.rec(rt::Pos, Payload().zeros(20));
    if (spec.axes) axes(w, spec, g);
    if (g == 0 && spec.value_title) w.text(2, *spec.value_title, spec.value_title_rotation);
    if (g == 0 && spec.category_title) w.text(3, *spec.category_title, 0);
    if (g == 1 && spec.secondary_title) w.text(2, *spec.secondary_title, 90);
    if (g == 0 && spec.plot_fill) {
      w.rec(rt::PlotArea);
      w.frame(0, spec.plot_fill);
    }
    for (size_t order = 0; order < spec.groups.size(); ++order) {
      const GroupSpec& gs = spec.groups[order];
      if (gs.axis_group != g) continue;
      w.rec(rt::ChartFormat, Payload().zeros(16).u16(gs.varied ? 1 : 0).u16(static_cast<uint16_t>(order)));
      w.begin();
      w.rec(gs.type, Payload().bytes(gs.payload));
      w.rec(rt::CrtLink, Payload().zeros(10));
      if (gs.three_d) w.rec(rt::Chart3d, Payload().u16(20).u16(15).u16(30).u16(100).u16(100).u16(150).u16(2));
      if (gs.legend) {
        w.rec(rt::Legend, Payload().zeros(16).u8(*gs.legend).u8(1).u16(0x1F));
        w.begin();
        w.rec(rt::Pos, Payload().zeros(20));
        w.end();
      }
      w.end();
    }
    w.end();
  }
  if (spec.data_table) {
    w.rec(rt::Dat, Payload().u16(*spec.data_table));
    w.begin();
    w.rec(rt::Legend, Payload().zeros(16).u8(0).u8(1).u16(0x1F));
    w.begin();
    w.end();
    w.end();
  }
  if (spec.title) w.text(1, *spec.title, 0);
  w.end();
  w.rec(rt::Eof);
  return w.take();
}

size_t add_chart_object(model::Workbook& wb, size_t sheet, const ChartSpec& spec, model::Anchor anchor) {
  model::Sheet& s = *wb.sheets.at(sheet);
  model::ChartData data;
  data.records = chart_records(wb, spec);
  data.chart = xls::read_chart(data.records);
  s.embedded_charts.push_back(std::move(data));
  model::DrawingObject d;
  d.object_type = 5;
  d.object_id = static_cast<uint16_t>(s.drawings.size() + 1);
  d.anchor = anchor;
  d.chart_index = static_cast<int>(s.embedded_charts.size() - 1);
  s.drawings.push_back(std::move(d));
  return s.drawings.size() - 1;
}

void make_chart_sheet(model::Workbook& wb, size_t sheet, const ChartSpec& spec) {
  model::Sheet& s = *wb.sheets.at(sheet);
  s.kind = model::SheetKind::ChartSheet;
  s.chart.records = chart_records(wb, spec);
  s.chart.chart = xls::read_chart(s.chart.records);
}

}  // namespace tabrel::chart_test

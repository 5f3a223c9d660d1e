#include "spreadsheet/xls/write_chart.h"

#include <algorithm>
#include <cmath>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/strings.h"
#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/xls/chart_merge.h"
#include "spreadsheet/xls/read_chart.h"
#include "spreadsheet/xls/read_substream.h"
#include "spreadsheet/xls/write_raw_records.h"
#include "spreadsheet/xls/write_sheet.h"

namespace tabrel::xls {
namespace {

namespace rt = biff::rt;
using model::ChartGroupKind;

constexpr uint16_t kAutomaticTextColor = 0x4D;

void fixed(biff::PayloadBuilder& p, double v) { p.u32(static_cast<uint32_t>(static_cast<int32_t>(std::lround(v * 65536.0)))); }

void zeros(biff::PayloadBuilder& p, size_t n) {
  for (size_t i = 0; i < n; ++i) p.u8(0);
}

class ChartWriter {
 public:
  ChartWriter(biff::RecordWriter& out, const model::Chart& chart) : out_(out), chart_(chart) {}

  void run() {
    write_bof(out_, 0x0020);
    page_setup();
    if (chart_.scaled_fonts) font_basis();
    u16(rt::Units, 0);
    {
      biff::PayloadBuilder p;
      for (double v : {chart_.left, chart_.top, chart_.width, chart_.height}) fixed(p, v);
      out_.write(rt::Chart, p);
    }
    begin();
    {
      biff::PayloadBuilder p;
      p.u16(1), p.u16(1);
      out_.write(rt::Scl, p);
      biff::PayloadBuilder g;
      fixed(g, 1), fixed(g, 1);
      out_.write(rt::PlotGrowth, g);
    }
    frame(chart_.area, 0x0002);
    for (size_t i = 0; i < chart_.series.size(); ++i) series(i);
    {
      biff::PayloadBuilder p;
      p.u16(chart_.sheet_flags), p.u8(chart_.blanks_as), p.u8(0);
      out_.write(rt::ShtProps, p);
    }
    const bool secondary = std::any_of(chart_.groups.begin(), chart_.groups.end(),
                                       [](const model::ChartGroup& g) { return g.axis_group == 1; });
    u16(rt::AxesUsed, secondary ? 2 : 1);
    for (uint16_t axis_group = 0; axis_group < (secondary ? 2 : 1); ++axis_group) axis_parent(axis_group);
    for (const model::ChartText& t : chart_.texts)
      if (!axis_text(t)) text(t);
    end();
    series_data();
    write_eof(out_);
  }

 private:
  void u16(uint16_t type, uint16_t value) { u16_record(out_, type, value); }
  void begin() { out_.write(rt::Begin, std::span<const uint8_t>()); }
  void end() { out_.write(rt::End, std::span<const uint8_t>()); }

  void page_setup() {
    out_.write(rt::Header, std::span<const uint8_t>());
    out_.write(rt::Footer, std::span<const uint8_t>());
    u16(rt::HCenter, 0);
    u16(rt::VCenter, 0);
    biff::PayloadBuilder p;
    p.u16(9);     // A4
    p.u16(100);   // scale
    p.u16(1);     // first page number
    p.u16(1), p.u16(1);  // fit to one page wide and tall
    p.u16(0x0044);       // no printer data, orientation not set
    p.u16(0), p.u16(0);  // resolutions
    p.f64(0.5), p.f64(0.5);  // header and footer margins, in inches
    p.u16(1);     // copies
    out_.write(rt::Setup, p);
    u16(rt::PrintSize, 3);  // as shown on the sheet
  }

  // The font-scaling basis: the chart's size in twips when its fonts were last fitted.
  void font_basis() {
    biff::PayloadBuilder p;
    p.u16(static_cast<uint16_t>(std::clamp(chart_.width * 20, 0.0, 65535.0)));
    p.u16(static_cast<uint16_t>(std::clamp(chart_.height * 20, 0.0, 65535.0)));
    p.u16(200);  // 10 points
    p.u16(0);    // scale by the chart area
    p.u16(0);    // the workbook's first font
    out_.write(rt::Fbi, p);
  }

  void line_format(const model::LineFormat& l) {
    biff::PayloadBuilder p;
    p.u32(l.rgb);
    p.u16(static_cast<uint16_t>(l.pattern));
    p.u16(static_cast<uint16_t>(l.weight));
    p.u16(l.automatic ? 0x0009 : 0x0000);
    p.u16(l.automatic && !l.color_index ? kAutomaticTextColor : l.color_index);
    out_.write(rt::LineFormat, p);
  }

  void area_format(const model::AreaFormat& a) {
    biff::PayloadBuilder p;
    p.u32(a.fore_rgb), p.u32(a.back_rgb);
    p.u16(a.pattern);
    p.u16(a.automatic ? 0x0001 : 0x0000);
    p.u16(a.automatic && !a.fore_index ? 0x004E : a.fore_index);
    p.u16(a.automatic && !a.back_index ? 0x004D : a.back_index);
    out_.write(rt::AreaFormat, p);
  }

  void frame(const model::ChartFrame& f, uint16_t flags) {
    biff::PayloadBuilder p;
    p.u16(f.type);
    p.u16(static_cast<uint16_t>(flags | (f.auto_size ? 0x01 : 0) | (f.auto_position ? 0x02 : 0)));
    out_.write(rt::Frame, p);
    begin();
    line_format(f.line.value_or(model::LineFormat{}));
    area_format(f.area.value_or(model::AreaFormat{}));
    end();
  }

  void brai(uint8_t id, const model::ChartLink& link) {
    biff::PayloadBuilder p;
    p.u8(id);
    p.u8(link.kind);
    p.u16(link.own_format ? 0x0001 : 0x0000);
    p.u16(link.number_format);
    p.u16(static_cast<uint16_t>(link.tokens.size()));
    p.bytes(link.tokens);
    out_.write(rt::BRAI, p);
  }

  void series_text(const std::u16string& text) {
    const std::u16string_view cut = std::u16string_view(text).substr(0, 255);
    biff::PayloadBuilder p;
    p.u16(0);
    p.u8(static_cast<uint8_t>(cut.size()));
    biff::append_string_body(p, cut);
    out_.write(rt::SeriesText, p);
  }

  void series(size_t index) {
    const model::Series& s = chart_.series[index];
    biff::PayloadBuilder p;
    p.u16(s.category_type), p.u16(s.value_type);
    p.u16(s.category_count), p.u16(s.value_count);
    p.u16(1), p.u16(s.bubble_count);
    out_.write(rt::Series, p);
    begin();
    brai(0, s.name);
    if (!s.name_text.empty()) series_text(s.name_text);
    brai(1, s.values);
    brai(2, s.categories);
    brai(3, s.bubble_sizes);
    for (const model::DataFormat& f : s.formats) data_format(f, static_cast<uint16_t>(index));
    u16(rt::SerToCrt, s.group);
    end();
  }

  void data_format(const model::DataFormat& f, uint16_t series) {
    biff::PayloadBuilder p;
    p.u16(f.point), p.u16(series), p.u16(f.order), p.u16(0);
    out_.write(rt::DataFormat, p);
    begin();
    if (f.bar_riser || f.bar_taper) {
      biff::PayloadBuilder b;
      b.u8(f.bar_riser), b.u8(f.bar_taper);
      out_.write(rt::Chart3DBarShape, b);
    }
    if (f.line || f.area || f.explosion) {
      line_format(f.line.value_or(model::LineFormat{}));
      area_format(f.area.value_or(model::AreaFormat{}));
      u16(rt::PieFormat, f.explosion);
    }
    if (f.smooth || f.bubbles_3d) u16(rt::SerFmt, static_cast<uint16_t>((f.smooth ? 0x01 : 0) | (f.bubbles_3d ? 0x02 : 0)));
    if (f.marker) {
      biff::PayloadBuilder m;
      m.u32(0), m.u32(0);
      m.u16(f.marker->kind);
      m.u16(f.marker->automatic ? 0x0001 : 0x0000);
      m.u16(kAutomaticTextColor), m.u16(kAutomaticTextColor);
      m.u32(100);  // 5 points
      out_.write(rt::MarkerFormat, m);
    }
    if (f.label) {
      const model::LabelParts& l = *f.label;
      u16(rt::AttachedLabel, static_cast<uint16_t>((l.value ? 0x01 : 0) | (l.percent ? 0x02 : 0) | (l.category ? 0x10 : 0) |
                                                   (l.bubble_size ? 0x20 : 0) | (l.series_name ? 0x40 : 0)));
    }
    end();
  }

  void pos(uint16_t top_left, uint16_t bottom_right) {
    biff::PayloadBuilder p;
    p.u16(top_left), p.u16(bottom_right);
    zeros(p, 16);
    out_.write(rt::Pos, p);
  }

  uint16_t text_flags(const model::ChartText& t) const {
    uint16_t flags = 0x0001 | 0x0080;  // automatic colour and background
    if (t.linked_to == 4) {
      flags |= 0x0010;  // generated from the data
      if (t.shown.value) flags |= 0x0004;
      if (t.shown.percent) flags |= 0x1000;
      if (t.shown.category) flags |= 0x4000;
      if (t.shown.bubble_size) flags |= 0x2000;
    }
    if (t.deleted) flags |= 0x0040;
    return flags;
  }

  void text(const model::ChartText& t) {
    biff::PayloadBuilder p;
    p.u8(t.horizontal ? t.horizontal : 2), p.u8(t.vertical ? t.vertical : 2);
    p.u16(1);  // transparent background
    p.u32(0);
    zeros(p, 16);
    p.u16(text_flags(t));
    p.u16(kAutomaticTextColor);
    p.u16(t.placement);
    p.u16(t.rotation);
    out_.write(rt::Text, p);
    begin();
    pos(2, 2);
    if (t.font) u16(rt::FontX, *t.font);
    if (t.number_format) u16(rt::IFmtRecord, *t.number_format);
    brai(0, t.link);
    if (t.link.kind != 2 && !t.text.empty()) series_text(t.text);
    if (t.linked_to) {
      biff::PayloadBuilder o;
      o.u16(t.linked_to), o.u16(t.series), o.u16(t.point);
      out_.write(rt::ObjectLink, o);
    }
    if (t.linked_to == 4 && (t.separator || t.shown.series_name)) label_contents(t.shown, t.separator.value_or(u", "));
    end();
  }

  // The extended data label: which parts show and what joins them.
  void label_contents(const model::LabelParts& shown, std::u16string_view separator) {
    biff::PayloadBuilder p;
    p.u16(rt::DataLabExtContents);
    zeros(p, 10);
    p.u16(static_cast<uint16_t>((shown.series_name ? 0x01 : 0) | (shown.category ? 0x02 : 0) | (shown.value ? 0x04 : 0) |
                                (shown.percent ? 0x08 : 0) | (shown.bubble_size ? 0x10 : 0)));
    const std::u16string_view cut = separator.substr(0, 255);
    p.u16(static_cast<uint16_t>(cut.size()));
    if (!cut.empty()) biff::append_string_body(p, cut);
    out_.write(rt::DataLabExtContents, p);
  }

  static bool axis_text(const model::ChartText& t) { return t.linked_to == 2 || t.linked_to == 3 || t.linked_to == 7; }

  bool scatter_axes(uint16_t axis_group) const {
    return std::any_of(chart_.groups.begin(), chart_.groups.end(), [&](const model::ChartGroup& g) {
      return g.axis_group == axis_group && g.kind == ChartGroupKind::Scatter;
    });
  }

  void axis_parent(uint16_t axis_group) {
    biff::PayloadBuilder p;
    p.u16(axis_group);
    zeros(p, 16);
    out_.write(rt::AxisParent, p);
    begin();
    pos(2, 2);
    for (const model::Axis& a : chart_.axes)
      if (a.group == axis_group) axis(a, scatter_axes(axis_group));
    for (const model::ChartText& t : chart_.texts)
      if (axis_text(t) && t.axis_group == axis_group) text(t);
    if (axis_group == 0) {
      out_.write(rt::PlotArea, std::span<const uint8_t>());
      frame(chart_.plot_area.value_or(model::ChartFrame{}), 0x0003);
    }
    for (const model::ChartGroup& g : chart_.groups)
      if (g.axis_group == axis_group) chart_group(g);
    end();
  }

  void axis(const model::Axis& a, bool scatter) {
    biff::PayloadBuilder p;
    p.u16(a.type);
    zeros(p, 16);
    out_.write(rt::Axis, p);
    begin();
    const bool values = a.type == 1 || (a.type == 0 && scatter);
    if (values) {
      const model::ValueScale v = a.value_scale.value_or(model::ValueScale{});
      biff::PayloadBuilder r;
      for (double d : {v.minimum, v.maximum, v.major, v.minor, v.cross}) r.f64(d);
      r.u16(static_cast<uint16_t>(v.flags | 0x0100));
      out_.write(rt::ValueRange, r);
    } else {
      const model::CategoryScale c = a.category_scale.value_or(model::CategoryScale{});
      biff::PayloadBuilder r;
      r.u16(c.cross), r.u16(c.label_interval), r.u16(c.mark_interval), r.u16(c.flags);
      out_.write(rt::CatSerRange, r);
      if (a.type == 0) {
        biff::PayloadBuilder x;
        zeros(x, 16);
        x.u16(0x00EF);  // every date-axis setting automatic
        out_.write(rt::AxcExt, x);
      }
    }
    if (a.number_format) u16(rt::IFmtRecord, *a.number_format);
    {
      biff::PayloadBuilder t;
      t.u8(a.major_ticks), t.u8(a.minor_ticks), t.u8(a.label_position), t.u8(1);
      t.u32(0);
      zeros(t, 16);
      t.u16(0x0023);  // automatic colour, background and rotation
      t.u16(kAutomaticTextColor);
      t.u16(0);
      out_.write(rt::Tick, t);
    }
    if (a.axis_line) {
      u16(rt::AxisLine, 0);
      line_format(*a.axis_line);
    }
    if (a.major_gridlines) {
      u16(rt::AxisLine, 1);
      line_format(a.major_line.value_or(model::LineFormat{}));
    }
    if (a.minor_gridlines) {
      u16(rt::AxisLine, 2);
      line_format(a.minor_line.value_or(model::LineFormat{}));
    }
    end();
  }

  void chart_group(const model::ChartGroup& g) {
    biff::PayloadBuilder p;
    zeros(p, 16);
    p.u16(g.varied ? 0x0001 : 0x0000);
    p.u16(g.order);
    out_.write(rt::ChartFormat, p);
    begin();
    group_type(g);
    {
      biff::PayloadBuilder l;
      zeros(l, 10);
      out_.write(rt::CrtLink, l);
    }
    if (g.view) {
      biff::PayloadBuilder v;
      v.u16(static_cast<uint16_t>(g.view->rotation)), v.u16(static_cast<uint16_t>(g.view->elevation));
      v.u16(g.view->distance), v.u16(g.view->height), v.u16(g.view->depth), v.u16(g.view->gap);
      v.u16(g.view->flags);
      out_.write(rt::Chart3d, v);
    }
    if (g.legend) legend(*g.legend);
    for (uint16_t id : g.chart_lines) {
      u16(rt::CrtLine, id);
      line_format(model::LineFormat{});
    }
    if (g.label_separator) label_contents({}, *g.label_separator);
    if (g.format) data_format(*g.format, 0);
    end();
  }

  void group_type(const model::ChartGroup& g) {
    biff::PayloadBuilder p;
    uint16_t id = rt::Bar;
    switch (g.kind) {
      case ChartGroupKind::None:
      case ChartGroupKind::Bar:
        p.u16(static_cast<uint16_t>(g.overlap)), p.u16(g.gap), p.u16(g.flags);
        break;
      case ChartGroupKind::Line: id = rt::Line, p.u16(g.flags); break;
      case ChartGroupKind::Area: id = rt::Area, p.u16(g.flags); break;
      case ChartGroupKind::Pie: id = rt::Pie, p.u16(g.first_angle), p.u16(g.hole), p.u16(g.flags); break;
      case ChartGroupKind::Scatter: id = rt::Scatter, p.u16(100), p.u16(1), p.u16(g.flags); break;
      case ChartGroupKind::Radar: id = rt::Radar, p.u16(g.flags), p.u16(0); break;
      case ChartGroupKind::RadarArea: id = rt::RadarArea, p.u16(g.flags), p.u16(0); break;
      case ChartGroupKind::Surface: id = rt::Surf, p.u16(g.flags); break;
      case ChartGroupKind::BarOfPie:
        id = rt::BopPop;
        p.u8(g.of_pie_kind), p.u8(0), p.u16(0), p.u16(0), p.u16(75), p.u16(100), p.u16(0), p.u16(0), p.u16(0);
        zeros(p, 2);
        break;
    }
    out_.write(id, p);
  }

  void legend(const model::Legend& l) {
    const bool vertical = l.position == 3 || l.position == 4 || l.position == 1;
    biff::PayloadBuilder p;
    zeros(p, 16);
    p.u8(l.position), p.u8(1);
    p.u16(static_cast<uint16_t>(0x000F | (vertical ? 0x0010 : 0)));
    out_.write(rt::Legend, p);
    begin();
    pos(5, 2);
    model::ChartText key;
    text(key);
    end();
  }

  void cached_value(uint16_t point, uint16_t column, const model::ChartValue& v) {
    biff::PayloadBuilder p;
    p.u16(point), p.u16(column), p.u16(0);
    switch (v.kind) {
      case model::ChartValue::Kind::Number:
        p.f64(v.number);
        out_.write(rt::Number, p);
        break;
      case model::ChartValue::Kind::Text:
        biff::append_string(p, std::u16string_view(v.text).substr(0, 255));
        out_.write(rt::Label, p);
        break;
      case model::ChartValue::Kind::Bool:
      case model::ChartValue::Kind::Error:
        p.u8(static_cast<uint8_t>(v.number)), p.u8(v.kind == model::ChartValue::Kind::Error ? 1 : 0);
        out_.write(rt::BoolErr, p);
        break;
      case model::ChartValue::Kind::Blank: out_.write(rt::Blank, p); break;
    }
  }

  void series_data() {
    size_t rows = 0;
    for (const model::Series& s : chart_.series)
      rows = std::max({rows, s.cached_values.size(), s.cached_categories.size(), s.cached_bubbles.size()});
    biff::PayloadBuilder d;
    d.u32(0), d.u32(static_cast<uint32_t>(rows)), d.u16(0), d.u16(static_cast<uint16_t>(chart_.series.size())), d.u16(0);
    out_.write(rt::Dimensions, d);
    using Cache = std::vector<model::ChartValue> model::Series::*;
    for (const auto& [kind, cache] : {std::pair<uint16_t, Cache>{2, &model::Series::cached_categories},
                                      {1, &model::Series::cached_values},
                                      {3, &model::Series::cached_bubbles}}) {
      u16(rt::SIIndex, kind);
      for (size_t column = 0; column < chart_.series.size(); ++column) {
        const std::vector<model::ChartValue>& values = chart_.series[column].*cache;
        for (size_t point = 0; point < values.size() && point < 32000; ++point)
          cached_value(static_cast<uint16_t>(point), static_cast<uint16_t>(column), values[point]);
      }
    }
  }

  biff::RecordWriter& out_;
  const model::Chart& chart_;
};

}  // namespace

void write_chart_substream(biff::RecordWriter& out, const model::Chart& chart) { ChartWriter(out, chart).run(); }

namespace {

std::vector<model::RawRecord> written(const model::Chart& chart) {
  biff::RecordWriter out;
  write_chart_substream(out, chart);
  std::vector<model::RawRecord> records;
  biff::RecordReader reader(out.data());
  biff::Record rec;
  while (reader.next(rec)) records.push_back(take_raw_record(rec));
  return records;
}

}  // namespace

void write_chart_data(biff::RecordWriter& out, const model::ChartData& data) {
  if (data.records.empty()) {
    write_chart_substream(out, data.chart);
    return;
  }
  const std::vector<model::RawRecord> as_read = written(read_chart(data.records));
  const std::vector<model::RawRecord> now = written(data.chart);
  if (as_read == now) {
    for (const model::RawRecord& r : data.records) write_raw(out, r);
    return;
  }
  std::vector<int> origin;
  for (const model::Series& s : data.chart.series) origin.push_back(s.stored);
  for (const model::RawRecord& r : merge_chart_records(data.records, as_read, now, origin)) write_raw(out, r);
}

}  // namespace tabrel::xls

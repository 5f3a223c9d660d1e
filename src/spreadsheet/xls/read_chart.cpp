#include "spreadsheet/xls/read_chart.h"

#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "spreadsheet/biff/records.h"

namespace tabrel::xls {
namespace {

namespace rt = biff::rt;

struct ShortRecord : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Fields of one chart record, read in order with bounds checks.
class Fields {
 public:
  explicit Fields(const model::RawRecord& rec) : p_(rec.payload) {}
  uint8_t u8() {
    need(1);
    return p_[pos_++];
  }
  uint16_t u16() {
    need(2);
    const uint16_t v = static_cast<uint16_t>(p_[pos_] | p_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
  }
  int16_t i16() { return static_cast<int16_t>(u16()); }
  uint32_t u32() {
    const uint32_t low = u16();
    return low | static_cast<uint32_t>(u16()) << 16;
  }
  double f64() {
    need(8);
    double d;
    std::memcpy(&d, p_.data() + pos_, 8);
    pos_ += 8;
    return d;
  }
  // FixedPoint: 16.16 signed.
  double fixed() { return static_cast<int32_t>(u32()) / 65536.0; }
  void skip(size_t n) {
    need(n);
    pos_ += n;
  }
  std::vector<uint8_t> bytes(size_t n) {
    need(n);
    std::vector<uint8_t> out(p_.begin() + static_cast<long>(pos_), p_.begin() + static_cast<long>(pos_ + n));
    pos_ += n;
    return out;
  }
  // Characters after their flag byte (0 compressed, 1 two bytes each).
  std::u16string chars(size_t count) {
    const bool wide = (u8() & 0x01) != 0;
    std::u16string s;
    s.reserve(count);
    for (size_t i = 0; i < count; ++i) s.push_back(wide ? static_cast<char16_t>(u16()) : static_cast<char16_t>(u8()));
    return s;
  }

 private:
  void need(size_t n) const {
    if (p_.size() < pos_ + n) throw ShortRecord("short");
  }
  const std::vector<uint8_t>& p_;
  size_t pos_ = 0;
};

model::LineFormat line_format(Fields& f) {
  model::LineFormat l;
  l.rgb = f.u32();
  l.pattern = f.i16();
  l.weight = f.i16();
  l.automatic = (f.u16() & 0x01) != 0;
  l.color_index = f.u16();
  return l;
}

model::AreaFormat area_format(Fields& f) {
  model::AreaFormat a;
  a.fore_rgb = f.u32();
  a.back_rgb = f.u32();
  a.pattern = f.u16();
  a.automatic = (f.u16() & 0x01) != 0;
  a.fore_index = f.u16();
  a.back_index = f.u16();
  return a;
}

model::LabelParts attached_label(uint16_t flags) {
  model::LabelParts p;
  p.value = flags & 0x01;
  p.percent = (flags & 0x02) || (flags & 0x04);
  p.category = (flags & 0x10) || (flags & 0x04);
  p.bubble_size = flags & 0x20;
  p.series_name = flags & 0x40;
  return p;
}

model::LabelParts text_parts(uint16_t flags) {
  model::LabelParts p;
  p.value = flags & 0x0004;
  p.percent = (flags & 0x1000) || (flags & 0x0800);
  p.category = (flags & 0x4000) || (flags & 0x0800);
  p.bubble_size = flags & 0x2000;
  return p;
}

model::ChartLink brai(Fields& f) {
  model::ChartLink link;
  link.kind = f.u8();
  link.own_format = (f.u16() & 0x01) != 0;
  link.number_format = f.u16();
  const uint16_t cce = f.u16();
  link.tokens = f.bytes(cce);
  return link;
}

model::ChartGroupKind group_kind(uint16_t id) {
  using K = model::ChartGroupKind;
  switch (id) {
    case rt::Bar: return K::Bar;
    case rt::Line: return K::Line;
    case rt::Pie: return K::Pie;
    case rt::Area: return K::Area;
    case rt::Scatter: return K::Scatter;
    case rt::Radar: return K::Radar;
    case rt::RadarArea: return K::RadarArea;
    case rt::Surf: return K::Surface;
    case rt::BopPop: return K::BarOfPie;
    default: return K::None;
  }
}

// The blocks that Begin .. End open, by the record that came right before the Begin.
enum class Block { Other, Chart, Series, DataFormat, AxisParent, Axis, Text, Frame, ChartFormat, Legend, Dat, DropBar };

Block block_of(uint16_t id) {
  switch (id) {
    case rt::Chart: return Block::Chart;
    case rt::Series: return Block::Series;
    case rt::DataFormat: return Block::DataFormat;
    case rt::AxisParent: return Block::AxisParent;
    case rt::Axis: return Block::Axis;
    case rt::Text: return Block::Text;
    case rt::Frame: return Block::Frame;
    case rt::ChartFormat: return Block::ChartFormat;
    case rt::Legend: return Block::Legend;
    case rt::Dat: return Block::Dat;
    case rt::DropBar: return Block::DropBar;
    default: return Block::Other;
  }
}

// Where a frame, a text or a legend belongs, decided when its record is read.
enum class FrameOwner { ChartArea, PlotArea, Text, Legend, Other };

class ChartReader {
 public:
  model::Chart read(std::span<const model::RawRecord> records) {
    for (const model::RawRecord& rec : records) {
      try {
        take(rec);
      } catch (const ShortRecord&) {
        chart_.problems.push_back("chart record 0x" + hex(rec.id) + " is too short for its fields");
      }
      previous_ = rec.id;
    }
    return std::move(chart_);
  }

 private:
  static std::string hex(uint16_t id) {
    static const char* digits = "0123456789ABCDEF";
    std::string s(4, '0');
    for (int i = 3; i >= 0; --i, id >>= 4) s[static_cast<size_t>(i)] = digits[id & 0xF];
    return s;
  }

  Block top() const { return stack_.empty() ? Block::Other : stack_.back(); }
  bool inside(Block b) const {
    for (Block x : stack_)
      if (x == b) return true;
    return false;
  }

  void take(const model::RawRecord& rec) {
    Fields f(rec);
    switch (rec.id) {
      case rt::Begin:
        stack_.push_back(block_of(previous_));
        return;
      case rt::End:
        end_block();
        return;
      case rt::Fbi:
      case rt::Fbi2: chart_.scaled_fonts = true; return;
      case rt::Chart:
        chart_.left = f.fixed();
        chart_.top = f.fixed();
        chart_.width = f.fixed();
        chart_.height = f.fixed();
        return;
      case rt::Series: series(f); return;
      case rt::DataFormat: data_format(f); return;
      case rt::LineFormat: line(f); return;
      case rt::AreaFormat: area(f); return;
      case rt::MarkerFormat:
        if (top() == Block::DataFormat) {
          model::MarkerFormat m;
          f.skip(8);
          m.kind = f.u16();
          m.automatic = (f.u16() & 0x01) != 0;
          current_format().marker = m;
        }
        return;
      case rt::PieFormat:
        if (top() == Block::DataFormat) current_format().explosion = f.u16();
        return;
      case rt::SerFmt:
        if (top() == Block::DataFormat) {
          const uint16_t flags = f.u16();
          current_format().smooth = flags & 0x01;
          current_format().bubbles_3d = flags & 0x02;
        }
        return;
      case rt::Chart3DBarShape:
        if (top() == Block::DataFormat) {
          current_format().bar_riser = f.u8();
          current_format().bar_taper = f.u8();
        }
        return;
      case rt::AttachedLabel:
        if (top() == Block::DataFormat) current_format().label = attached_label(f.u16());
        return;
      case rt::BRAI: link(f); return;
      case rt::SeriesText: series_text(f); return;
      case rt::SerToCrt:
        if (top() == Block::Series && !chart_.series.empty()) chart_.series.back().group = f.u16();
        return;
      case rt::SerParent:
        if (top() == Block::Series && !chart_.series.empty()) chart_.series.back().auxiliary = true;
        return;
      case rt::ShtProps:
        chart_.sheet_flags = f.u16();
        chart_.blanks_as = f.u8();
        return;
      case rt::DefaultText: default_text_ = true; return;
      case rt::AxisParent: axis_group_ = f.u16(); return;
      case rt::Axis: axis(f); return;
      case rt::ValueRange: value_range(f); return;
      case rt::CatSerRange: cat_ser_range(f); return;
      case rt::AxcExt:
        if (top() == Block::Axis && axis_) {
          f.skip(16);
          axis_->date_axis = (f.u16() & 0x80) != 0;
        }
        return;
      case rt::Tick:
        if (top() == Block::Axis && axis_) {
          axis_->major_ticks = f.u8();
          axis_->minor_ticks = f.u8();
          axis_->label_position = f.u8();
        }
        return;
      case rt::AxisLine: axis_line_ = f.u16(); if (top() == Block::Axis && axis_) gridline(); return;
      case rt::IFmtRecord: number_format(f.u16()); return;
      case rt::FontX:
        if (top() == Block::Text && text_) text_->font = f.u16();
        return;
      case rt::Text: text(f); return;
      case rt::DataLabExtContents: label_contents(f); return;
      case rt::ObjectLink:
        if (top() == Block::Text && text_) {
          text_->linked_to = f.u16();
          text_->series = f.u16();
          text_->point = f.u16();
        }
        return;
      case rt::PlotArea: plot_area_next_ = true; return;
      case rt::Frame: frame(f); return;
      case rt::ChartFormat: chart_format(f); return;
      case rt::Chart3d: chart3d(f); return;
      case rt::Legend: legend(f); return;
      case rt::CrtLine:
        if (top() == Block::ChartFormat && group_) group_->chart_lines.push_back(f.u16());
        return;
      case rt::DropBar:
        if (top() == Block::ChartFormat && group_) group_->up_down_bars = true;
        return;
      case rt::Dat: chart_.data_table_flags = f.u16(); return;
      case rt::SIIndex: cache_kind_ = f.u16(); return;
      case rt::Number: cached(f, model::ChartValue::Kind::Number); return;
      case rt::Label: cached(f, model::ChartValue::Kind::Text); return;
      case rt::BoolErr: cached(f, model::ChartValue::Kind::Bool); return;
      case rt::Blank: cached(f, model::ChartValue::Kind::Blank); return;
      default:
        if (const model::ChartGroupKind kind = group_kind(rec.id); kind != model::ChartGroupKind::None) chart_type(f, kind);
        return;
    }
  }

  void end_block() {
    if (stack_.empty()) return;
    const Block closed = stack_.back();
    stack_.pop_back();
    switch (closed) {
      case Block::Text:
        if (text_) finish_text();
        break;
      case Block::Frame: frame_ = nullptr; break;
      case Block::Axis: axis_ = nullptr; break;
      case Block::DataFormat: format_ = nullptr; break;
      case Block::Legend: legend_ = nullptr; break;
      case Block::ChartFormat: group_ = nullptr; break;
      case Block::AxisParent: axis_group_ = 0; break;
      default: break;
    }
  }

  void series(Fields& f) {
    model::Series s;
    s.category_type = f.u16();
    s.value_type = f.u16();
    s.category_count = f.u16();
    s.value_count = f.u16();
    f.skip(2);
    s.bubble_count = f.u16();
    s.stored = static_cast<int>(chart_.series.size());
    chart_.series.push_back(std::move(s));
    format_ = nullptr;  // the vector may have moved
    link_id_ = 0;
  }

  void data_format(Fields& f) {
    model::DataFormat d;
    d.point = f.u16();
    d.series = f.u16();
    d.order = f.u16();
    if (top() == Block::Series && !chart_.series.empty()) {
      chart_.series.back().formats.push_back(d);
      format_ = &chart_.series.back().formats.back();
    } else if (top() == Block::ChartFormat && group_) {
      group_->format = d;
      format_ = &*group_->format;
    } else {
      format_ = nullptr;
    }
  }

  model::DataFormat& current_format() {
    if (!format_) {
      scratch_format_ = {};
      return scratch_format_;
    }
    return *format_;
  }

  void line(Fields& f) {
    const model::LineFormat l = line_format(f);
    switch (top()) {
      case Block::DataFormat: current_format().line = l; break;
      case Block::Frame:
        if (frame_) frame_->line = l;
        break;
      case Block::Axis:
        if (!axis_) break;
        if (axis_line_ == 0) axis_->axis_line = l;
        if (axis_line_ == 1) axis_->major_line = l;
        if (axis_line_ == 2) axis_->minor_line = l;
        if (axis_line_ == 3) axis_->wall_line = l;
        break;
      default: break;
    }
  }

  void area(Fields& f) {
    const model::AreaFormat a = area_format(f);
    if (top() == Block::DataFormat) current_format().area = a;
    if (top() == Block::Frame && frame_) frame_->area = a;
    if (top() == Block::Axis && axis_ && axis_line_ == 3) axis_->wall_area = a;
  }

  void gridline() {
    if (axis_line_ == 1) axis_->major_gridlines = true;
    if (axis_line_ == 2) axis_->minor_gridlines = true;
  }

  void link(Fields& f) {
    const uint8_t id = f.u8();
    model::ChartLink l = brai(f);
    link_id_ = id;
    if (top() == Block::Text && text_) {
      text_->link = std::move(l);
      return;
    }
    if (top() != Block::Series || chart_.series.empty()) return;
    model::Series& s = chart_.series.back();
    switch (id) {
      case 0: s.name = std::move(l); break;
      case 1: s.values = std::move(l); break;
      case 2: s.categories = std::move(l); break;
      case 3: s.bubble_sizes = std::move(l); break;
      default: break;
    }
  }

  void series_text(Fields& f) {
    f.skip(2);
    const uint8_t count = f.u8();
    std::u16string s = f.chars(count);
    if (top() == Block::Text && text_) text_->text = std::move(s);
    else if (top() == Block::Series && !chart_.series.empty() && link_id_ == 0) chart_.series.back().name_text = std::move(s);
  }

  void axis(Fields& f) {
    model::Axis a;
    a.type = f.u16();
    a.group = axis_group_;
    chart_.axes.push_back(a);
    axis_ = &chart_.axes.back();
    axis_line_ = 0xFFFF;
  }

  void value_range(Fields& f) {
    if (top() != Block::Axis || !axis_) return;
    model::ValueScale v;
    v.minimum = f.f64();
    v.maximum = f.f64();
    v.major = f.f64();
    v.minor = f.f64();
    v.cross = f.f64();
    v.flags = f.u16();
    axis_->value_scale = v;
  }

  void cat_ser_range(Fields& f) {
    if (top() != Block::Axis || !axis_) return;
    model::CategoryScale c;
    c.cross = f.u16();
    c.label_interval = f.u16();
    c.mark_interval = f.u16();
    c.flags = f.u16();
    axis_->category_scale = c;
  }

  void number_format(uint16_t ifmt) {
    if (top() == Block::Axis && axis_) axis_->number_format = ifmt;
    if (top() == Block::Text && text_) text_->number_format = ifmt;
  }

  void text(Fields& f) {
    pending_text_ = model::ChartText{};
    model::ChartText& t = pending_text_;
    t.horizontal = f.u8();
    t.vertical = f.u8();
    f.skip(2 + 4 + 16);
    t.flags = f.u16();
    f.skip(2);
    t.placement = f.u16() & 0x0F;
    t.rotation = f.u16();
    t.deleted = (t.flags & 0x40) != 0;
    t.auto_text = (t.flags & 0x10) != 0;
    t.shown = text_parts(t.flags);
    t.axis_group = axis_group_;
    text_ = &pending_text_;
    text_is_default_ = default_text_;
    text_in_legend_ = top() == Block::Legend;
    default_text_ = false;
  }

  // The extended data label: the shown parts and the separator (after the future-record header).
  void label_contents(Fields& f) {
    f.skip(12);
    const uint16_t flags = f.u16();
    // An empty separator is stored without the characters' flag byte; the default applies.
    const uint16_t count = f.u16();
    std::optional<std::u16string> separator;
    if (count > 0) separator = f.chars(count);
    if (top() == Block::Text && text_) {
      text_->separator = std::move(separator);
      text_->shown.series_name = (flags & 0x01) != 0;
    } else if (top() == Block::ChartFormat && group_) {
      group_->label_separator = std::move(separator);
    }
  }

  void finish_text() {
    if (text_is_default_) chart_.default_texts.push_back(std::move(pending_text_));
    else if (!text_in_legend_) chart_.texts.push_back(std::move(pending_text_));
    text_ = nullptr;
  }

  void frame(Fields& f) {
    model::ChartFrame fr;
    fr.type = f.u16();
    const uint16_t flags = f.u16();
    fr.auto_size = flags & 0x01;
    fr.auto_position = flags & 0x02;
    frame_ = nullptr;
    if (plot_area_next_) {
      chart_.plot_area = fr;
      frame_ = &*chart_.plot_area;
    } else if (top() == Block::Text && text_) {
      text_->frame = fr;
      frame_ = &text_->frame;
    } else if (top() == Block::Legend && legend_) {
      legend_->frame = fr;
      frame_ = &legend_->frame;
    } else if (top() == Block::Chart) {
      chart_.area = fr;
      frame_ = &chart_.area;
    }
    plot_area_next_ = false;
  }

  void chart_format(Fields& f) {
    model::ChartGroup g;
    f.skip(16);
    g.varied = (f.u16() & 0x01) != 0;
    g.order = f.u16();
    g.axis_group = axis_group_;
    chart_.groups.push_back(g);
    group_ = &chart_.groups.back();
    format_ = nullptr;  // the vector may have moved
    legend_ = nullptr;
    frame_ = nullptr;
  }

  void chart_type(Fields& f, model::ChartGroupKind kind) {
    if (top() != Block::ChartFormat || !group_) return;
    model::ChartGroup& g = *group_;
    g.kind = kind;
    switch (kind) {
      case model::ChartGroupKind::Bar:
        g.overlap = f.i16();
        g.gap = f.u16();
        g.flags = f.u16();
        break;
      case model::ChartGroupKind::Pie:
        g.first_angle = f.u16();
        g.hole = f.u16();
        g.flags = f.u16();
        break;
      case model::ChartGroupKind::Scatter:
        f.skip(4);
        g.flags = f.u16();
        break;
      case model::ChartGroupKind::BarOfPie: g.of_pie_kind = f.u8(); break;
      default: g.flags = f.u16(); break;
    }
  }

  void chart3d(Fields& f) {
    if (top() != Block::ChartFormat || !group_) return;
    model::Chart3D v;
    v.rotation = f.i16();
    v.elevation = f.i16();
    v.distance = f.u16();
    v.height = f.u16();
    v.depth = f.u16();
    v.gap = f.u16();
    v.flags = f.u16();
    group_->view = v;
  }

  void legend(Fields& f) {
    model::Legend l;
    f.skip(16);
    l.position = f.u8();
    f.skip(1);
    l.flags = f.u16();
    l.vertical = (l.flags & 0x08) != 0;
    if (inside(Block::Dat)) {
      chart_.data_table_legend = l;
      legend_ = &*chart_.data_table_legend;
    } else if (top() == Block::ChartFormat && group_) {
      group_->legend = l;
      legend_ = &*group_->legend;
    } else {
      legend_ = nullptr;
    }
  }

  // Cached series data: row = point, column = series (in the order of the series records).
  void cached(Fields& f, model::ChartValue::Kind kind) {
    const uint16_t point = f.u16();
    const uint16_t column = f.u16();
    f.skip(2);
    model::ChartValue v;
    v.kind = kind;
    if (kind == model::ChartValue::Kind::Number) v.number = f.f64();
    if (kind == model::ChartValue::Kind::Text) v.text = f.chars(f.u16());
    if (kind == model::ChartValue::Kind::Bool) {
      const uint8_t value = f.u8();
      if (f.u8() != 0) v.kind = model::ChartValue::Kind::Error;
      v.number = value;
    }
    if (column >= chart_.series.size() || point > 31999) return;
    model::Series& s = chart_.series[column];
    std::vector<model::ChartValue>* into = cache_kind_ == 1   ? &s.cached_values
                                           : cache_kind_ == 2 ? &s.cached_categories
                                           : cache_kind_ == 3 ? &s.cached_bubbles
                                                              : nullptr;
    if (!into) return;
    if (into->size() <= point) into->resize(point + 1u);
    (*into)[point] = std::move(v);
  }

  model::Chart chart_;
  std::vector<Block> stack_;
  uint16_t previous_ = 0;
  uint16_t axis_group_ = 0;
  uint16_t axis_line_ = 0xFFFF;
  uint8_t link_id_ = 0;
  uint16_t cache_kind_ = 0;
  bool default_text_ = false;
  bool plot_area_next_ = false;
  bool text_is_default_ = false;
  bool text_in_legend_ = false;
  model::DataFormat* format_ = nullptr;
  model::DataFormat scratch_format_;
  model::Axis* axis_ = nullptr;
  model::ChartFrame* frame_ = nullptr;
  model::ChartGroup* group_ = nullptr;
  model::Legend* legend_ = nullptr;
  model::ChartText* text_ = nullptr;
  model::ChartText pending_text_;
};

}  // namespace

model::Chart read_chart(std::span<const model::RawRecord> records) { return ChartReader().read(records); }

}  // namespace tabrel::xls

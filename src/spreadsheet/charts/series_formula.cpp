#include "spreadsheet/charts/series_formula.h"

#include "spreadsheet/formula/decode.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/sheet_names.h"

namespace tabrel::charts {
namespace {

using formula::Node;

bool collect(const model::Workbook& wb, const Node& n, std::vector<CellArea>& out) {
  switch (n.kind) {
    case Node::Kind::Ref:
    case Node::Kind::Area: {
      if (!n.ixti) return false;
      const auto sheets = formula::local_sheets(wb, *n.ixti);
      if (!sheets || sheets->first != sheets->last) return false;
      const model::CellRef first{n.first.row, n.first.col};
      const model::CellRef last = n.kind == Node::Kind::Area ? model::CellRef{n.last.row, n.last.col} : first;
      out.push_back({sheets->first, {first, last}});
      return true;
    }
    case Node::Kind::Paren:
      return n.children.size() == 1 && collect(wb, n.children[0], out);
    case Node::Kind::Binary:
      if (n.op != formula::Op::Union) return false;
      for (const Node& c : n.children)
        if (!collect(wb, c, out)) return false;
      return true;
    default: return false;
  }
}

std::u16string quoted(const std::u16string& text) {
  std::u16string out = u"\"";
  for (char16_t c : text) {
    if (c == u'"') out += u'"';
    out += c;
  }
  return out + u"\"";
}

std::u16string array_text(const std::vector<model::ChartValue>& values) {
  std::u16string out = u"{";
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) out += u',';
    const model::ChartValue& v = values[i];
    if (v.kind == model::ChartValue::Kind::Number) out += formula::number_text(v.number);
    else if (v.kind == model::ChartValue::Kind::Text) out += quoted(v.text);
  }
  return out + u"}";
}

}  // namespace

std::optional<std::vector<CellArea>> link_areas(const model::Workbook& wb, const model::ChartLink& link) {
  if (!link.is_reference()) return std::nullopt;
  try {
    const Node root = formula::decode(link.tokens, {});
    std::vector<CellArea> out;
    if (!collect(wb, root, out)) return std::nullopt;
    return out;
  } catch (const formula::FormulaError&) {
    return std::nullopt;
  }
}

std::u16string link_text(const model::Workbook& wb, const model::ChartLink& link, const std::u16string& literal,
                         const std::vector<model::ChartValue>& cached, formula::Notation notation) {
  if (link.is_reference()) {
    try {
      return formula::print(wb, {}, link.tokens, {}, notation).substr(1);
    } catch (const formula::FormulaError&) {
      return u"#REF!";
    }
  }
  if (link.kind == 1) return literal.empty() && !cached.empty() ? array_text(cached) : quoted(literal);
  return u"";
}

int plot_order(const model::Series& series, int position) {
  if (const model::DataFormat* f = series.series_format()) return f->order + 1;
  return position + 1;
}

std::u16string series_formula(const model::Workbook& wb, const model::Chart& chart, size_t position,
                              formula::Notation notation) {
  const auto plotted = chart.plotted_series();
  const model::Series& s = *plotted.at(position);
  std::u16string out = u"=SERIES(";
  // A series without a name of its own (an empty literal) leaves the name part empty.
  const bool named = s.name.is_reference() || (s.name.kind == 1 && !s.name_text.empty());
  out += named ? link_text(wb, s.name, s.name_text, {}, notation) : u"";
  out += u',' + link_text(wb, s.categories, {}, s.cached_categories, notation);
  out += u',' + link_text(wb, s.values, {}, s.cached_values, notation);
  out += u',' + formula::number_text(plot_order(s, static_cast<int>(position)));
  const model::ChartGroup* g = chart.group(s.group);
  if (g && g->bubbles()) out += u',' + link_text(wb, s.bubble_sizes, {}, s.cached_bubbles, notation);
  return out + u')';
}

}  // namespace tabrel::charts

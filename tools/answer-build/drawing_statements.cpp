#include "drawing_statements.h"

#include <cstdlib>
#include <optional>

#include "answer_source.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/layout/anchor_geometry.h"

namespace tabrel::answers {
namespace {

struct DrawingStatement {
  int line;
  const std::vector<std::u16string>& fields;
  xl::Worksheet& sheet;

  [[noreturn]] void fail(const std::string& why) const {
    throw SourceError("line " + std::to_string(line) + ": " + to_utf8(fields[0]) + ": " + why);
  }
  const std::u16string& field(size_t i) const {
    if (i >= fields.size()) fail("field " + std::to_string(i + 1) + " missing");
    return fields[i];
  }
  double number(const std::u16string& text) const {
    const std::string s = to_utf8(text);
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (s.empty() || end != s.c_str() + s.size()) fail("not a number: " + s);
    return v;
  }

  // Over the cells of an address, or at "left,top,width,height" in points.
  layout::PointRect place(const std::u16string& text) const {
    if (text.find(u',') == std::u16string::npos) {
      const auto range = sheet.Range(Variant(text));
      const model::RangeRef& a = range->area();
      const model::Workbook& wb = range->sheet().workbook();
      const model::Sheet& s = range->sheet().get();
      return layout::anchor_to_points({a.first.col, 0, a.first.row, 0, a.last.col + 1, 0, a.last.row + 1, 0},
                                      [&](int col) { return xl::column_width_pixels(wb, s, col); },
                                      [&](int row) { return xl::row_height_pixels(s, row); });
    }
    double v[4];
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
      const size_t comma = text.find(u',', start);
      if ((comma == std::u16string::npos) != (i == 3)) fail("place is left,top,width,height in points");
      v[i] = number(text.substr(start, comma == std::u16string::npos ? std::u16string::npos : comma - start));
      start = comma + 1;
    }
    return {v[0], v[1], v[2], v[3]};
  }

  // Text, assigned macro and the key=value options from field `first` on.
  void finish(xl::Shape& shape, size_t first) const {
    shape.TextFrame()->Characters()->SetText(field(first));
    if (fields.size() > first + 1) shape.SetOnAction(fields[first + 1]);
    for (size_t i = first + 2; i < fields.size(); ++i) {
      const std::u16string& option = fields[i];
      const size_t eq = option.find(u'=');
      if (option.substr(0, eq) != u"adjust" || eq == std::u16string::npos) fail("unknown option " + to_utf8(option));
      const auto adjustments = shape.Adjustments();
      if (adjustments->Count() == 0) fail("the shape has no adjustment");
      adjustments->SetItem(1, number(option.substr(eq + 1)));
    }
  }

  void run() const {
    const std::u16string& verb = fields[0];
    if (verb == u"comment") {
      sheet.Range(Variant(field(1)))->AddComment(field(2));
    } else if (verb == u"button") {
      const layout::PointRect r = place(field(1));
      finish(*sheet.Shapes()->AddFormControl(0, r.left, r.top, r.width, r.height), 2);
    } else {
      const layout::PointRect r = place(field(1));
      finish(*sheet.Shapes()->AddShape(static_cast<int>(number(field(2))), r.left, r.top, r.width, r.height), 3);
    }
  }
};

}  // namespace

void apply_drawing(int line, const std::vector<std::u16string>& fields, xl::Worksheet& sheet) {
  DrawingStatement{line, fields, sheet}.run();
}

}  // namespace tabrel::answers

#include <gtest/gtest.h>

#include "answer_source.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/chart.h"
#include "spreadsheet/automation/chart_area.h"
#include "spreadsheet/automation/chart_axes.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/chart_parts.h"
#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/xls/reader.h"

namespace tabrel::answers {
namespace {

const std::string kTable =
    "sheet | 기본작업-1\n"
    "row | A3 | 성명 | 1월 | 2월\n"
    "row | A4 | 김철수 | 10 | 0.5\n"
    "row | A5 | 이영희 | 15 | 0.7\n"
    "row | A6 | 박민수 | 12 | 0.4\n";

struct Built {
  std::shared_ptr<xl::Application> app;
  std::shared_ptr<xl::Workbook> book;
  std::shared_ptr<xl::ChartObjects> charts() const { return book->Worksheets(Variant(1))->ChartObjects(); }
  std::shared_ptr<xl::Chart> chart(int i) const { return charts()->Item(Variant(i))->Chart(); }
};

Built build(const std::string& chart_lines) {
  const std::vector<uint8_t> bytes = build_answer(kTable + chart_lines);
  Built b;
  b.app = xl::Application::New();
  b.book = b.app->Workbooks()->Adopt(xls::read_workbook(bytes), u"answer.xls");
  return b;
}

TEST(ChartStatementsTest, ACombinationChartWithTitlesLabelsAndLegend) {
  const Built b = build(
      "chart | B9:F20 | column | A3:C6 | columns\n"
      "chart | title | 사원별 실적\n"
      "chart | axis | category | 성명\n"
      "chart | series | 2 | type=line-markers | axis=2 | smooth | color=5\n"
      "chart | axis | value2 | 비율\n"
      "chart | series | 1 | labels\n"
      "chart | label | 2 | 3\n"
      "chart | legend | top\n"
      "chart | font | fixed\n"
      "chart | shadow\n");
  ASSERT_EQ(b.charts()->Count(), 1);
  const auto object = b.charts()->Item(Variant(1));
  const auto& drawing = b.book->model().sheets[0]->drawings[0];
  EXPECT_EQ(drawing.anchor.col1, 1);  // over B9:F20, the corner cells' offsets at zero
  EXPECT_EQ(drawing.anchor.row1, 8);
  EXPECT_EQ(drawing.anchor.col2, 6);
  EXPECT_EQ(drawing.anchor.row2, 20);
  EXPECT_EQ(drawing.anchor.dx1 + drawing.anchor.dy1 + drawing.anchor.dx2 + drawing.anchor.dy2, 0);
  EXPECT_TRUE(object->Shadow());
  const auto c = object->Chart();
  EXPECT_EQ(c->ChartType(), 51);
  EXPECT_EQ(c->ChartTitle()->Text(), u"사원별 실적");
  EXPECT_EQ(c->Axes(1)->AxisTitle()->Text(), u"성명");
  EXPECT_FALSE(c->Axes(2)->HasTitle());
  EXPECT_EQ(c->Axes(2, 2)->AxisTitle()->Text(), u"비율");
  EXPECT_EQ(c->Legend()->Position(), -4160);
  EXPECT_FALSE(c->ChartArea()->AutoScaleFont());
  const auto first = c->SeriesCollection(Variant(1));
  const auto second = c->SeriesCollection(Variant(2));
  EXPECT_EQ(first->Formula(), u"=SERIES('기본작업-1'!$B$3,'기본작업-1'!$A$4:$A$6,'기본작업-1'!$B$4:$B$6,1)");
  EXPECT_TRUE(first->HasDataLabels());
  EXPECT_EQ(second->ChartType(), 65);
  EXPECT_EQ(second->AxisGroup(), 2);
  EXPECT_TRUE(second->Smooth());
  EXPECT_EQ(second->Border()->ColorIndex(), 5);
  EXPECT_FALSE(second->Points(1)->HasDataLabel());
  EXPECT_EQ(second->Points(3)->DataLabel()->Text(), u"0.4");
}

// The faults the papers' checks look for, one per workbook: another type, no title, another
// place, a second chart, none.
TEST(ChartStatementsTest, ChartsOverFormulaCellsCacheTheCalculatedValues) {
  const Built b = build(
      "row | D3 | 합계\n"
      "row | D4 | =B4+C4\n"
      "row | D5 | =B5+C5\n"
      "row | D6 | =B6+C6\n"
      "chart | B9:F20 | column | D3:D6 | columns\n");
  const model::Series& s = b.book->model().sheets[0]->embedded_charts.at(0).chart.series.at(0);
  ASSERT_EQ(s.cached_values.size(), 3u);
  const double expected[] = {10.5, 15.7, 12.4};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(s.cached_values[i].kind, model::ChartValue::Kind::Number) << i;
    EXPECT_DOUBLE_EQ(s.cached_values[i].number, expected[i]) << i;
  }
}

TEST(ChartStatementsTest, SingleFaultVariants) {
  EXPECT_EQ(build("chart | B9:F20 | bar | A3:B6\n").chart(1)->ChartType(), 57);
  EXPECT_FALSE(build("chart | B9:F20 | column | A3:B6\n").chart(1)->HasTitle());
  EXPECT_NEAR(build("chart | 30,40,200,100 | column | A3:B6\n").charts()->Item(Variant(1))->Left(), 30, 1);
  EXPECT_EQ(build("chart | B9:F20 | column | A3:B6\nchart | H9:L20 | pie | A3:B6\n").charts()->Count(), 2);
  EXPECT_EQ(build("").charts()->Count(), 0);
  const Built added = build("chart | B9:F20 | line | A3:B6\nchart | series | new | name=목표 | values=C4:C6\n");
  EXPECT_EQ(added.chart(1)->SeriesCollection(Variant(2))->Formula(), u"=SERIES(\"목표\",,'기본작업-1'!$C$4:$C$6,2)");
}

TEST(ChartStatementsTest, BadStatementsNameTheirLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"chart | title | 제목\n", "no chart on this sheet"},
      {"chart | B9:F20 | funnel | A3:B6\n", "unknown chart type funnel"},
      {"chart | 1,2,3 | column\n", "left,top,width,height"},
      {"chart | B9:F20 | column | A3:B6 | diagonal\n", "rows or columns"},
      {"chart | B9:F20 | column | A3:B6\nchart | legend | middle\n", "legend is"},
      {"chart | B9:F20 | column | A3:B6\nchart | axis | depth | x\n", "axis is"},
      {"chart | B9:F20 | column | A3:B6\nchart | series | 1 | colour=3\n", "unknown series field colour"},
  };
  for (const auto& [lines, message] : cases) {
    SCOPED_TRACE(lines);
    try {
      build_answer(kTable + lines);
      ADD_FAILURE() << "no error";
    } catch (const SourceError& e) {
      EXPECT_NE(std::string(e.what()).find("line "), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace tabrel::answers

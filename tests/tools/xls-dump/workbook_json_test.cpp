// The dump written as a stream: the same document as the value form, one cell a line naming
// its format in the workbook's table, with the members a caller adds to each cell.

#include <gtest/gtest.h>

#include <sstream>

#include "json.h"
#include "json_stream.h"
#include "recalc_json.h"
#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/parse.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"
#include "workbook_json.h"

namespace tabrel::dump {
namespace {

TEST(JsonStream, WritesWhatTheValueWriterWrites) {
  json::Object inner;
  inner["a"] = 1;
  inner["b"] = json::Array{json::Value("x"), json::Value(nullptr), json::Object{}};
  json::Object whole;
  whole["empty"] = json::Array{};
  whole["inner"] = inner;
  whole["list"] = json::Array{json::Value(true), inner};

  std::ostringstream text;
  json::StreamWriter out(text);
  out.begin_object();
  out.key("empty");
  out.begin_array();
  out.end_array();
  out.key("inner");
  out.value(inner);
  out.key("list");
  out.begin_array();
  out.value(true);
  out.begin_object();
  out.key("a");
  out.value(1);
  out.key("b");
  out.value(inner.at("b"));
  out.end_object();
  out.end_array();
  out.end_object();
  EXPECT_EQ(text.str(), json::write(whole));
}

TEST(JsonStream, InlineContainersTakeOneLineAndScalarsReadBack) {
  std::ostringstream text;
  {
    json::StreamWriter out(text);
    out.begin_array();
    out.begin_object(json::StreamWriter::Layout::Inline);
    out.key("s");
    out.string(std::u16string_view(u"표\"\n\xD800x\U0001F600"));
    out.key("n");
    out.begin_array();
    for (double d : {-0.0, 1e15, 1.0 / 3, -2.5e-300, 123456789012345.0}) out.number(d);
    out.end_array();
    out.key("v");
    out.value(json::Object{{"a", json::Array{json::Value(1)}}});
    out.end_object();
    out.value(json::Object{{"b", json::Value(true)}}, json::StreamWriter::Layout::Inline);
    out.end_array();
  }
  EXPECT_EQ(text.str(),
            "[\n {\"s\":\"표\\\"\\n\xEF\xBF\xBDx\xF0\x9F\x98\x80\",\"n\":[-0,1e+15,0.3333333333333333,-2.5e-300,123456789012345],"
            "\"v\":{\"a\":[1]}},\n {\"b\":true}\n]");
  const json::Value back = json::parse(text.str());
  EXPECT_EQ(back.as_array().at(0)["n"].as_array().at(2).as_number(), 1.0 / 3);
  EXPECT_EQ(back.as_array().at(0)["s"], json::Value("표\"\n\xEF\xBF\xBDx\xF0\x9F\x98\x80"));
}

// A workbook with our writer's default formats, B2 in a bold percent format of its own, C2 a
// formula over it whose stored result is wrong and D2 blank in that format.
std::unique_ptr<model::Workbook> percent_workbook(uint16_t& percent) {
  model::Workbook empty;
  empty.sheets.push_back(std::make_unique<model::Sheet>());
  empty.sheets.back()->name = u"표1";
  auto book = xls::read_workbook(xls::write_workbook(empty));
  model::Font bold = book->styles.fonts.at(0);
  bold.weight = 700;
  model::Xf xf = book->styles.xfs.at(15);
  xf.font = book->styles.intern_font(bold);
  xf.format = book->styles.intern_format(u"0.00%");
  percent = book->styles.intern_xf(xf);
  model::CellStore& cells = book->sheets[0]->cells;
  cells.put({1, 1}, model::Cell{model::CellValue::number(0.125), percent, nullptr});
  const model::CellRef c2{1, 2};
  auto formula = model::FormulaPtr::make();
  formula->tokens = formula::encode(formula::parse(u"=B2*2", *book, c2, formula::Notation::A1), c2).tokens;
  cells.put(c2, model::Cell{model::CellValue::number(0), percent, formula});
  cells.put_blank({1, 3}, percent);
  return book;
}

TEST(WorkbookDump, CellsTakeALineEachAndNameTheirFormatInTheTable) {
  uint16_t percent = 0;
  const auto book = percent_workbook(percent);
  std::ostringstream text;
  const CellExtras where = [](const model::Sheet& s, model::CellRef at, const model::Cell&, json::StreamWriter& cell) {
    cell.key("where");
    cell.string(to_utf8(s.name) + ":" + std::to_string(at.row) + "," + std::to_string(at.col));
  };
  write_workbook_json(text, *book, "a.xls", where);
  const json::Value dump = json::parse(text.str());
  const json::Value& sheet = dump["sheets"].as_array().at(0);
  const json::Value& b2 = sheet["cells"]["B2"];
  EXPECT_EQ(b2["value"], json::Value(0.125));
  EXPECT_EQ(b2["where"], json::Value("표1:1,1"));
  EXPECT_EQ(sheet["cells"]["C2"]["formula"], json::Value(true));
  EXPECT_EQ(sheet["nrows"], json::Value(2));
  EXPECT_EQ(sheet["ncols"], json::Value(4));
  ASSERT_EQ(b2["xf"], json::Value(percent));
  const json::Value& xf = dump["xfs"].as_array().at(percent);
  EXPECT_EQ(xf["format"], json::Value("0.00%"));
  EXPECT_EQ(xf["font"]["bold"], json::Value(true));
  EXPECT_EQ(dump["xfs"].as_array().at(15)["font"]["bold"], json::Value(false));
  EXPECT_NE(text.str().find("\n    \"B2\": {\"xf\":" + std::to_string(percent) +
                            ",\"type\":\"number\",\"value\":0.125,\"where\":\"표1:1,1\"},\n"),
            std::string::npos);
  // Without members of the caller, the value form is the same document.
  std::ostringstream plain;
  write_workbook_json(plain, *book, "a.xls");
  EXPECT_EQ(json::parse(plain.str()), workbook_json(*book, "a.xls"));
}

TEST(WorkbookDump, RecalculatedCellsCarryTheirComputedValueAndText) {
  uint16_t percent = 0;
  xl::Book book;
  book.model = percent_workbook(percent);
  xl::calculate_full(book);
  std::ostringstream text;
  write_workbook_json(text, *book.model, "a.xls", recalculated_members(book));
  const json::Value cells = json::parse(text.str())["sheets"].as_array().at(0)["cells"];
  EXPECT_EQ(cells["C2"]["computed"], json::Value(json::Object{{"type", "number"}, {"value", 0.25}}));
  EXPECT_EQ(cells["C2"]["text"], json::Value("25.00%"));
  EXPECT_EQ(cells["B2"]["text"], json::Value("12.50%"));
  EXPECT_EQ(cells["B2"]["computed"]["value"], json::Value(0.125));
  EXPECT_EQ(cells["D2"]["computed"]["type"], json::Value("blank"));
  EXPECT_EQ(cells["D2"]["text"], json::Value(""));
}

TEST(JsonWriter, EscapesControlsAndWritesNumbersThatReadBack) {
  EXPECT_EQ(json::write(json::Value("a\"b\\c\n\x01" "d")), "\"a\\\"b\\\\c\\n\\u0001d\"");
  EXPECT_EQ(json::write(json::Value("표")), "\"표\"");
  EXPECT_EQ(json::write(json::Value(-3.0)), "-3");
  EXPECT_EQ(json::write(json::Value(123456789012345.0)), "123456789012345");
  EXPECT_EQ(json::write(json::Value(0.1)), "0.1");
  for (double d : {1.0 / 3, -2.5e-300, 1e300, 0.1 + 0.2, 45366.5625})
    EXPECT_EQ(json::parse(json::write(json::Value(d))).as_number(), d) << json::write(json::Value(d));
}

}  // namespace
}  // namespace tabrel::dump

// The dump written as a stream: the same document as the value form, indented alike, with the
// members a caller adds to each cell.

#include <gtest/gtest.h>

#include <sstream>

#include "json.h"
#include "spreadsheet/core/text.h"
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

TEST(WorkbookDump, CellsGoOutOneByOneWithTheCallersMembers) {
  model::Workbook book;
  book.sheets.push_back(std::make_unique<model::Sheet>());
  model::Sheet& sheet = *book.sheets.back();
  sheet.name = u"표1";
  sheet.cells.at({0, 0}).value = model::CellValue::number(2.5);
  sheet.cells.at({9, 1}).value = model::CellValue::text(u"합계");
  std::ostringstream text;
  write_workbook_json(text, book, "a.xls", [](const model::Sheet& s, model::CellRef at, json::Object& cell) {
    cell["where"] = to_utf8(s.name) + ":" + std::to_string(at.row) + "," + std::to_string(at.col);
  });
  const json::Value dump = json::parse(text.str());
  const json::Value& cells = dump["sheets"].as_array().at(0)["cells"];
  EXPECT_EQ(cells["A1"]["value"], json::Value(2.5));
  EXPECT_EQ(cells["B10"]["value"], json::Value("합계"));
  EXPECT_EQ(cells["B10"]["where"], json::Value("표1:9,1"));
  EXPECT_EQ(dump["sheets"].as_array().at(0)["nrows"], json::Value(10));
  // Without members of the caller, the value form is the same document.
  std::ostringstream plain;
  write_workbook_json(plain, book, "a.xls");
  EXPECT_EQ(json::parse(plain.str()), workbook_json(book, "a.xls"));
  // Each cell's format is written once and copied: indented as the writer indents in place.
  EXPECT_EQ(plain.str(), json::write(workbook_json(book, "a.xls")));
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

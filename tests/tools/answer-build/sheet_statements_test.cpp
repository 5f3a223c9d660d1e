// Camera pictures, phonetic guides, row outlines and table formats of answer sources, read back
// from the written workbook.

#include <gtest/gtest.h>

#include "answer_source.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/camera_pictures.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/phonetics.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/xls/reader.h"

namespace tabrel::answers {
namespace {

const std::string kSheets =
    "sheet | 표\n"
    "row | A1 | 하반기 실적\n"
    "row | A2 | 메모\n"
    "row | A3 | 지점 | 매출\n"
    "row | A4 | 강남 | 120\n";

uint16_t picture_flags(const std::vector<uint8_t>& obj) {
  for (size_t at = 0; at + 6 <= obj.size();) {
    const uint16_t ft = static_cast<uint16_t>(obj[at] | (obj[at + 1] << 8));
    const uint16_t cb = static_cast<uint16_t>(obj[at + 2] | (obj[at + 3] << 8));
    if (ft == 0) break;
    if (ft == 0x08) return static_cast<uint16_t>(obj[at + 4] | (obj[at + 5] << 8));
    at += 4 + cb;
  }
  return 0;
}

TEST(SheetStatementsTest, CameraPicturesGuidesAndOutlinesReadBack) {
  const std::vector<uint8_t> bytes = build_answer(kSheets +
                                                  "camera | C3:D6 | ='표'!$A$3:$B$4\n"
                                                  "phonetic | A1 | 실적 | shown\n"
                                                  "phonetic | A2 | 메모\n"
                                                  "outline | 4:4 | 2\n"
                                                  "autoformat | A3:B4 | 2\n");
  auto app = xl::Application::New();
  auto book = app->Workbooks()->Adopt(xls::read_workbook(bytes), u"answer.xls");

  const auto& pictures = book->model().sheets[0]->drawings;
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].object_type, 8);
  EXPECT_EQ(pictures[0].anchor.col1, 2);
  EXPECT_EQ(pictures[0].anchor.row1, 2);
  EXPECT_EQ(pictures[0].anchor.col2, 4);
  EXPECT_EQ(pictures[0].anchor.row2, 6);
  EXPECT_EQ(book->Worksheets(Variant(u"표"))->Shapes()->Item(Variant(1))->Type(), 13);
  const auto obj = std::find_if(pictures[0].obj_records.begin(), pictures[0].obj_records.end(),
                                [](const model::RawRecord& r) { return r.id == biff::rt::Obj; });
  ASSERT_NE(obj, pictures[0].obj_records.end());
  EXPECT_EQ(picture_flags(obj->payload) & 0x0080, 0x0080);  // a camera picture
  EXPECT_EQ(xl::picture_formula(book->model(), pictures[0]), u"=표!$A$3:$B$4");

  const auto sheet = book->Worksheets(Variant(u"표"));
  EXPECT_EQ(sheet->Range(Variant(u"A1"))->Phonetic()->Text(), u"실적");
  EXPECT_TRUE(sheet->Range(Variant(u"A1"))->Phonetic()->Visible());
  EXPECT_EQ(sheet->Range(Variant(u"A1"))->Text().str(), u"하반기 실적");
  EXPECT_EQ(sheet->Range(Variant(u"A2"))->Phonetic()->Text(), u"메모");
  EXPECT_FALSE(sheet->Range(Variant(u"A2"))->Phonetic()->Visible());
  EXPECT_EQ(book->model().sheets[0]->rows.at(3).outline_level, 2);
  // The table format's heading row and first column.
  EXPECT_EQ(sheet->Range(Variant(u"A3:B3"))->Interior()->ColorIndex().to_long(), 13);
  EXPECT_EQ(sheet->Range(Variant(u"A4"))->Interior()->ColorIndex().to_long(), 15);
}

TEST(SheetStatementsTest, BadStatementsNameTheirLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"camera | D6:C3 | ='표'!$A$3\n", "not an area"},
      {"camera | C3:D6\n", "camera | area | =range"},
      {"camera | C3:D6 | =SUM(\n", "not a range"},
      {"camera | C3:D6 | =1+2\n", "not a range"},
      {"phonetic | A1 | 실적 | visible\n", "phonetic | cell | text"},
      {"outline | 9:5 | 1\n", "outline | first:last | level"},
      {"outline | 5:9 | 8\n", "outline | first:last | level"},
      {"autoformat | A3:B4 | classic\n", "autoformat | range | format number"},
  };
  for (const auto& [lines, message] : cases) {
    SCOPED_TRACE(lines);
    try {
      build_answer(kSheets + lines);
      ADD_FAILURE() << "no error";
    } catch (const SourceError& e) {
      EXPECT_NE(std::string(e.what()).find("line 6"), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace tabrel::answers

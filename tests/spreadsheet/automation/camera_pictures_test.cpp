// The range a camera picture shows, read from the formula of its OBJ record.
#include "spreadsheet/automation/camera_pictures.h"

#include <gtest/gtest.h>

#include "fixture.h"

namespace tabrel::xl {
namespace {

void put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

// An OBJ record of a picture: common data, then a picture formula of `count` tokens holding
// `tokens` (the formula sub-record `cut` bytes shorter than it claims), then the end.
model::RawRecord picture_obj(const std::vector<uint8_t>& tokens, uint16_t count, size_t cut = 0) {
  std::vector<uint8_t> p;
  put16(p, 0x15), put16(p, 0x12), put16(p, 8), put16(p, 1);
  p.insert(p.end(), 14, 0);
  std::vector<uint8_t> body;
  const size_t formula = 6 + tokens.size();
  put16(body, static_cast<uint16_t>(formula + formula % 2));
  put16(body, count);
  body.insert(body.end(), 4, 0);
  body.insert(body.end(), tokens.begin(), tokens.end());
  if (formula % 2) body.push_back(0);
  put16(p, 0x09), put16(p, static_cast<uint16_t>(body.size()));
  p.insert(p.end(), body.begin(), body.end() - static_cast<long>(cut));
  if (cut == 0) p.insert(p.end(), 4, 0);
  return {0x005D, p, {}};
}

TEST(CameraPictureTest, LinkFormulaOfThePicture) {
  const auto wb = testing::sample_workbook();
  // PtgArea A3:D9, absolute.
  const std::vector<uint8_t> area = {0x25, 2, 0, 8, 0, 0, 0, 3, 0};
  struct Case {
    const char* what;
    model::RawRecord obj;
    std::optional<std::u16string> expected;
  };
  const Case cases[] = {
      {"a linked picture", picture_obj(area, 9), u"=$A$3:$D$9"},
      {"more tokens counted than stored", picture_obj(area, 40), std::nullopt},
      {"a formula sub-record cut short", picture_obj(area, 9, 6), std::nullopt},
      {"malformed tokens", picture_obj({0xFF, 0xFF}, 2), std::nullopt},
  };
  for (const Case& c : cases) {
    model::DrawingObject picture;
    picture.obj_records = {c.obj};
    EXPECT_EQ(picture_formula(*wb, picture), c.expected) << c.what;
  }
  EXPECT_EQ(picture_formula(*wb, model::DrawingObject{}), std::nullopt) << "no OBJ record";
}

}  // namespace
}  // namespace tabrel::xl

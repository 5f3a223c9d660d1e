// The shapes of a sheet's drawing: their property tables, anchors and damaged records.
#include "spreadsheet/xls/read_drawing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tabrel::xls {
namespace {

void put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, static_cast<uint16_t>(v));
  put16(out, static_cast<uint16_t>(v >> 16));
}

void put32_at(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

void record(std::vector<uint8_t>& out, uint16_t ver_inst, uint16_t type, const std::vector<uint8_t>& body) {
  put16(out, ver_inst);
  put16(out, type);
  put32(out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

// A shape container: shape record, a property table of simple properties and one complex
// name, a client anchor with the given flags and client data.
std::vector<uint8_t> shape(uint16_t shape_type, std::vector<std::pair<uint16_t, uint32_t>> properties,
                           uint16_t anchor_flags = 2) {
  std::vector<uint8_t> body;
  std::vector<uint8_t> fsp;
  put32(fsp, 1025);
  put32(fsp, 0x0A00);
  record(body, static_cast<uint16_t>(0x2 | (shape_type << 4)), 0xF00A, fsp);
  std::vector<uint8_t> table;
  for (const auto& [id, value] : properties) put16(table, id), put32(table, value);
  const std::u16string name = u"단추 1";
  put16(table, 0xC380);
  put32(table, static_cast<uint32_t>((name.size() + 1) * 2));
  for (char16_t ch : name) put16(table, ch);
  put16(table, 0);
  record(body, static_cast<uint16_t>(0x3 | ((properties.size() + 1) << 4)), 0xF00B, table);
  std::vector<uint8_t> anchor;
  put16(anchor, anchor_flags);
  for (uint16_t v : {1, 0, 2, 0, 3, 512, 4, 128}) put16(anchor, v);
  record(body, 0, 0xF010, anchor);
  record(body, 0, 0xF011, {});
  std::vector<uint8_t> out;
  record(out, 0xF, 0xF004, body);
  return out;
}

TEST(ReadDrawingTest, PropertyTableAndAnchor) {
  const auto shapes = read_officeart_shapes(shape(96, {{0x0147, 15510}, {0x0149, 7}, {0x03BF, 0x00020002}})).shapes;
  ASSERT_EQ(shapes.size(), 1u);
  const OfficeArtShape& s = shapes[0];
  EXPECT_EQ(s.shape_type, 96);
  EXPECT_EQ(s.shape_id, 1025u);
  EXPECT_EQ(s.name, u"단추 1");
  EXPECT_EQ(s.adjustments, (std::map<int, int32_t>{{0, 15510}, {2, 7}}));
  EXPECT_TRUE(s.hidden);
  EXPECT_TRUE(s.has_client_data);
  EXPECT_EQ(s.anchor, (model::Anchor{1, 0, 2, 0, 3, 512, 4, 128, 2}));
}

TEST(ReadDrawingTest, PlacementFromTheAnchorFlags) {
  for (const auto& [flags, placement] : {std::pair<uint16_t, uint8_t>{0, 1}, {2, 2}, {3, 3}}) {
    const auto shapes = read_officeart_shapes(shape(1, {}, flags)).shapes;
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(shapes[0].anchor->placement, placement) << flags;
  }
}

TEST(ReadDrawingTest, DamagedRecordsGiveWhatIsReadable) {
  const auto whole = shape(2, {{0x0147, 100}});
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    std::vector<uint8_t> truncated(whole.begin(), whole.begin() + static_cast<long>(cut));
    const OfficeArtDrawing read = read_officeart_shapes(truncated);
    EXPECT_LE(read.damaged_at.value_or(0), cut);
    EXPECT_TRUE(cut <= 8 || cut >= 8 + 8 + 8 || read.damaged_at.has_value()) << cut;  // inside the shape record
    for (const OfficeArtShape& s : read.shapes) {
      EXPECT_LE(s.end, truncated.size()) << cut;
      if (!s.adjustments.empty()) {
        EXPECT_EQ(s.adjustments.at(0), 100) << cut;
      }
    }
  }
  // A table that counts more properties than it holds keeps the simple ones that fit.
  auto overcounted = whole;
  overcounted[8 + 16 + 0] = 0xF3;
  const auto shapes = read_officeart_shapes(overcounted).shapes;
  ASSERT_EQ(shapes.size(), 1u);
  EXPECT_EQ(shapes[0].adjustments.at(0), 100);
  EXPECT_TRUE(shapes[0].name.empty());
  // Containers nested past any sane depth.
  std::vector<uint8_t> deep;
  for (uint32_t inside = 1000; inside-- > 0;) record(deep, 0xF, 0xF003, {}), put32_at(deep, deep.size() - 4, inside * 8);
  EXPECT_TRUE(read_officeart_shapes(deep).shapes.empty());
  EXPECT_TRUE(read_officeart_shapes(deep).damaged_at.has_value());
}

}  // namespace
}  // namespace tabrel::xls

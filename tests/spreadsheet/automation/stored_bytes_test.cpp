// Shape adjustments and the parser of phonetic settings as the file stores them.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <vector>

#include "spreadsheet/automation/phonetic_ranges.h"
#include "spreadsheet/automation/shape_properties.h"

namespace tabrel::xl {
namespace {

model::DrawingObject shape_of(uint16_t shape_type, std::map<int, int32_t> adjustments) {
  model::DrawingObject d;
  d.autoshape_type = shape_type;
  d.adjustments = std::move(adjustments);
  return d;
}

TEST(ShapePropertiesTest, AdjustmentsInOrderAndDefaults) {
  EXPECT_EQ(shape_adjustments(shape_of(1, {{0, 100}, {1, 200}, {3, 7}})), (std::vector<int32_t>{100, 200}));
  EXPECT_EQ(shape_adjustments(shape_of(2, {})), (std::vector<int32_t>{3600}));  // rounded rectangle default
  EXPECT_EQ(shape_adjustments(shape_of(2, {{1, 9}})), (std::vector<int32_t>{3600, 9}));
  EXPECT_EQ(shape_adjustments(shape_of(96, {})), (std::vector<int32_t>{17520}));  // a smiling face
  EXPECT_TRUE(shape_adjustments(shape_of(1, {})).empty());
  EXPECT_TRUE(shape_adjustments(shape_of(1, {{1, 5}})).empty());  // no first handle
}

TEST(PhoneticRangesTest, ReadAddAndRemove) {
  std::vector<uint8_t> settings = {6, 0, 0x35, 0x01, 0, 0};
  EXPECT_TRUE(phonetic_ranges(settings).empty());
  settings = with_phonetic_range(settings, {{0, 0}, {3, 2}}, true);
  EXPECT_EQ(settings[0], 6);  // font and type kept
  ASSERT_EQ(phonetic_ranges(settings).size(), 1u);
  settings = with_phonetic_range(settings, {{1, 1}, {1, 1}}, false);
  long long cells = 0;
  for (const auto& r : phonetic_ranges(settings)) cells += r.cell_count();
  EXPECT_EQ(cells, 11);
  EXPECT_TRUE(phonetic_ranges({6, 0, 0, 0, 9, 0, 1, 2}).empty());  // counts more ranges than it holds
  EXPECT_FALSE(with_phonetic_range({}, {{0, 0}, {0, 0}}, true).empty());
}

}  // namespace
}  // namespace tabrel::xl

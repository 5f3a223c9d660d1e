// Parsers of bytes that come from the file: drawing-layer shape records and phonetic settings.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "spreadsheet/automation/phonetic_ranges.h"
#include "spreadsheet/automation/shape_properties.h"

namespace tabrel::xl {
namespace {

std::vector<uint8_t> option_record(std::vector<std::pair<uint16_t, int32_t>> properties) {
  std::vector<uint8_t> body;
  for (const auto& [id, value] : properties) {
    body.push_back(static_cast<uint8_t>(id));
    body.push_back(static_cast<uint8_t>(id >> 8));
    for (int i = 0; i < 4; ++i) body.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  const auto count = static_cast<uint16_t>(properties.size());
  std::vector<uint8_t> record = {static_cast<uint8_t>(0x03 | (count << 4)), static_cast<uint8_t>(count >> 4), 0x0B, 0xF0,
                                 static_cast<uint8_t>(body.size()), 0, 0, 0};
  for (uint8_t b : body) record.push_back(b);
  return record;
}

TEST(ShapePropertiesTest, AdjustmentsInOrderAndDefaults) {
  EXPECT_EQ(shape_adjustments(option_record({{0x0147, 100}, {0x0148, 200}, {0x0080, 7}}), 1),
            (std::vector<int32_t>{100, 200}));
  EXPECT_EQ(shape_adjustments({}, 2), (std::vector<int32_t>{3600}));  // rounded rectangle default
  EXPECT_TRUE(shape_adjustments({}, 1).empty());
  EXPECT_TRUE(shape_adjustments(option_record({{0x0148, 5}}), 1).empty());  // no first handle
}

TEST(ShapePropertiesTest, DamagedRecordsGiveWhatIsReadable) {
  const auto good = option_record({{0x0147, 100}});
  for (size_t cut = 0; cut < good.size(); ++cut) {
    std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(cut));
    EXPECT_TRUE(shape_adjustments(truncated, 1).empty()) << cut;
  }
  // A container that claims more bytes than there are, and one nested past any sane depth.
  EXPECT_TRUE(shape_adjustments(std::vector<uint8_t>{0x0F, 0, 0x04, 0xF0, 0xFF, 0xFF, 0xFF, 0xFF}, 1).empty());
  const uint8_t empty_container[] = {0x0F, 0, 0x04, 0xF0, 0, 0, 0, 0};
  std::vector<uint8_t> deep;
  for (int i = 0; i < 1000; ++i)
    for (uint8_t b : empty_container) deep.push_back(b);
  EXPECT_TRUE(shape_adjustments(deep, 1).empty());
  // An option record that counts more properties than it holds.
  auto overcounted = good;
  overcounted[0] = 0xF3;
  EXPECT_EQ(shape_adjustments(overcounted, 1), (std::vector<int32_t>{100}));
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

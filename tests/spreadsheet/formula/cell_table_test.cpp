// The engine's per-cell records: found by sheet and position, walked in key order, kept in place
// while others come and go.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "spreadsheet/formula/cell_table.h"

namespace tabrel::formula {
namespace {

TEST(CellTable, RecordsFoundAndWalkedInKeyOrderWhateverTheOrderAdded) {
  const std::vector<CellKey> added{cell_key(1, {3, 2}),     cell_key(0, {65535, 255}), cell_key(0, {3, 7}),
                                   cell_key(1, {3, 0}),     cell_key(0, {3, 1}),       cell_key(0, {0, 0}),
                                   cell_key(2, {70, 9})};
  CellTable<int> table;
  for (size_t i = 0; i < added.size(); ++i) table.insert(added[i], static_cast<int>(i));
  table.insert(cell_key(0, {3, 7}), 20);  // replaces
  table.erase(cell_key(1, {3, 0}));
  table.erase(cell_key(1, {3, 1}));  // absent: nothing happens
  EXPECT_EQ(table.size(), 6u);

  std::vector<std::pair<CellKey, int>> walked;
  table.for_each([&](CellKey k, int& v) { walked.emplace_back(k, v); });
  EXPECT_EQ(walked, (std::vector<std::pair<CellKey, int>>{{cell_key(0, {0, 0}), 5},
                                                          {cell_key(0, {3, 1}), 4},
                                                          {cell_key(0, {3, 7}), 20},
                                                          {cell_key(0, {65535, 255}), 1},
                                                          {cell_key(1, {3, 2}), 0},
                                                          {cell_key(2, {70, 9}), 6}}));
  for (CellKey missing : {cell_key(1, {3, 0}), cell_key(0, {3, 2}), cell_key(0, {4, 0}), cell_key(3, {0, 0}),
                          cell_key(2, {71, 9})})
    EXPECT_EQ(table.find(missing), nullptr);

  // An erased record's place is used again, starting from a fresh record.
  table.insert(cell_key(1, {3, 0}), 0);
  EXPECT_EQ(*table.find(cell_key(1, {3, 0})), 0);
}

TEST(CellTable, ARecordStaysInPlaceWhileOthersComeAndGo) {
  CellTable<std::vector<int>> table;
  std::vector<int>& kept = table.insert(cell_key(0, {500, 5}), {7});
  for (int i = 0; i < 5000; ++i) table.insert(cell_key(i % 3, {(i * 7919) % 1000, i % 256}), {i});
  for (int i = 0; i < 2000; ++i) table.erase(cell_key(i % 3, {(i * 7919) % 1000, i % 256}));
  EXPECT_EQ(table.find(cell_key(0, {500, 5})), &kept);
  EXPECT_EQ(kept, std::vector<int>{7});
  table.clear();
  EXPECT_EQ(table.size(), 0u);
  EXPECT_EQ(table.find(cell_key(0, {500, 5})), nullptr);
}

}  // namespace
}  // namespace tabrel::formula

// The cell store's own pool: copies, moves and the moved-from store stay independent and usable.

#include <gtest/gtest.h>

#include <utility>

#include "spreadsheet/model/cell_store.h"
#include "spreadsheet/model/node_pool.h"

namespace tabrel::model {
namespace {

CellStore filled(int rows) {
  CellStore s;
  for (int r = 0; r < rows; ++r) s.at({r, r % 3}).value = CellValue::number(r);
  return s;
}

TEST(CellStore, CopiesMovesAndMovedFromStoresAreIndependent) {
  CellStore a = filled(100);
  CellStore copy(a);
  a.at({0, 0}).value = CellValue::text(u"바뀜");
  EXPECT_EQ(copy.find({0, 0})->value.as_number(), 0);

  CellStore moved(std::move(a));
  EXPECT_EQ(moved.size(), 100u);
  EXPECT_TRUE(a.empty());  // NOLINT(bugprone-use-after-move): a moved-from store is empty and usable
  a.at({5, 5}).value = CellValue::number(5);

  CellStore assigned = filled(3);
  assigned = std::move(moved);
  EXPECT_EQ(assigned.find({99, 0})->value.as_number(), 99);
  moved.put({1, 1}, Cell{});  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(moved.size(), 1u);

  copy = assigned;
  assigned.erase({99, 0});
  EXPECT_NE(copy.find({99, 0}), nullptr);
  {
    CellStore gone = filled(10);
    a = gone;
  }
  EXPECT_EQ(a.size(), 10u);
  EXPECT_EQ(a.find({9, 0})->value.as_number(), 9);
}

TEST(CellStore, PutKeepsRowMajorOrderWhateverTheInsertionOrder) {
  CellStore s;
  for (CellRef c : {CellRef{2, 0}, CellRef{0, 5}, CellRef{2, 1}, CellRef{1, 0}, CellRef{0, 5}}) s.put(c, Cell{});
  std::vector<CellRef> order;
  for (const auto& [key, cell] : s) order.push_back(CellStore::position(key));
  EXPECT_EQ(order, (std::vector<CellRef>{{0, 5}, {1, 0}, {2, 0}, {2, 1}}));
}

// Freed nodes are handed out again, so a store that keeps erasing and adding cells does not grow.
TEST(NodePool, FreedNodesAreReusedFirstInLastOut) {
  NodePool pool;
  void* a = pool.allocate(48, 8);
  void* b = pool.allocate(48, 8);
  void* other = pool.allocate(200, 8);  // another size: from the chunks, kept until the pool goes
  EXPECT_NE(a, b);
  pool.deallocate(a, 48, 8);
  pool.deallocate(b, 48, 8);
  pool.deallocate(other, 200, 8);
  EXPECT_EQ(pool.allocate(48, 8), b);
  EXPECT_EQ(pool.allocate(48, 8), a);
  EXPECT_NE(pool.allocate(48, 8), other);
}

}  // namespace
}  // namespace tabrel::model

// The cell store's own pool: copies, moves and the moved-from store stay independent and usable;
// formatted blank cells kept as runs look like cells of their own to every reader and editor.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>

#include <utility>
#include <vector>

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

struct Seen {
  CellRef at;
  uint16_t xf;
  bool blank;
  friend bool operator==(const Seen&, const Seen&) = default;
  friend std::ostream& operator<<(std::ostream& o, const Seen& s) {
    return o << "(" << s.at.row << "," << s.at.col << " xf " << s.xf << (s.blank ? " blank)" : " value)");
  }
};

std::vector<Seen> seen(CellStore::const_iterator from, CellStore::const_iterator to) {
  std::vector<Seen> out;
  for (; from != to; ++from) out.push_back({CellStore::position(from->first), from->second.xf, from->second.value.is_blank()});
  return out;
}

// Row 0: a value then a run of three blanks; rows 1-2: one run over both whole rows; row 3: a
// blank of another format and a value after it.
CellStore mixed() {
  CellStore s;
  s.put({0, 0}, Cell{CellValue::number(1), 15, nullptr});
  for (int c = 1; c <= 3; ++c) s.put_blank({0, c}, 20);
  for (int r = 1; r <= 2; ++r)
    for (int c = 0; c < kMaxColumns; ++c) s.put_blank({r, c}, 21);
  s.put_blank({3, 0}, 22);
  s.put({3, 4}, Cell{CellValue::number(2), 15, nullptr});
  return s;
}

TEST(CellStore, BlankRunsReadAsCellsInRowMajorOrder) {
  const CellStore s = mixed();
  EXPECT_EQ(s.size(), 1u + 3 + 2 * kMaxColumns + 1 + 1);
  const std::vector<Seen> all = seen(s.begin(), s.end());
  ASSERT_EQ(all.size(), s.size());
  EXPECT_EQ(all[0], (Seen{{0, 0}, 15, false}));
  EXPECT_EQ(all[3], (Seen{{0, 3}, 20, true}));
  EXPECT_EQ(all[4], (Seen{{1, 0}, 21, true}));
  EXPECT_EQ(all[4 + 2 * kMaxColumns - 1], (Seen{{2, 255}, 21, true}));
  EXPECT_EQ(all[all.size() - 2], (Seen{{3, 0}, 22, true}));
  EXPECT_EQ(all.back(), (Seen{{3, 4}, 15, false}));

  EXPECT_EQ(seen(s.lower_bound({2, 254}), s.end()),
            (std::vector<Seen>{{{2, 254}, 21, true}, {{2, 255}, 21, true}, {{3, 0}, 22, true}, {{3, 4}, 15, false}}));
  EXPECT_EQ(seen(s.lower_bound({3, 1}), s.end()), (std::vector<Seen>{{{3, 4}, 15, false}}));
  EXPECT_EQ(s.find({2, 100})->xf, 21);
  EXPECT_EQ(s.find({3, 1}), nullptr);
  EXPECT_EQ(s.last_row(), 3);
  EXPECT_EQ(s.used_range(), (RangeRef{{0, 0}, {3, 255}}));
}

// Each way of changing one cell of a run leaves the rest of the run as it was.
TEST(CellStore, ChangingACellOfARunSplitsIt) {
  struct Case {
    const char* name;
    void (*change)(CellStore&);
    std::optional<Seen> at_1_7;  // what (1,7) holds afterwards
    size_t size;
  };
  const size_t all = mixed().size();
  const Case cases[] = {
      {"edit through find", [](CellStore& s) { s.find({1, 7})->value = CellValue::number(7); }, Seen{{1, 7}, 21, false}, all},
      {"edit through at", [](CellStore& s) { s.at({1, 7}).xf = 30; }, Seen{{1, 7}, 30, true}, all},
      {"put a value", [](CellStore& s) { s.put({1, 7}, Cell{CellValue::number(7), 15, nullptr}); }, Seen{{1, 7}, 15, false}, all},
      {"blank of another format", [](CellStore& s) { s.put_blank({1, 7}, 31); }, Seen{{1, 7}, 31, true}, all},
      {"erase", [](CellStore& s) { s.erase({1, 7}); }, std::nullopt, all - 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CellStore s = mixed();
    c.change(s);
    EXPECT_EQ(s.size(), c.size);
    const CellStore& view = s;
    const Cell* changed = view.find({1, 7});
    EXPECT_EQ(changed ? std::optional<Seen>(Seen{{1, 7}, changed->xf, changed->value.is_blank()}) : std::nullopt, c.at_1_7);
    for (CellRef neighbour : {CellRef{1, 6}, CellRef{1, 8}, CellRef{2, 0}}) EXPECT_EQ(view.find(neighbour)->xf, 21);
    std::vector<Seen> order = seen(view.begin(), view.end());
    EXPECT_EQ(order.size(), c.size);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end(), [](const Seen& a, const Seen& b) {
      return CellStore::key(a.at) < CellStore::key(b.at);
    }));
  }
}

// A later record for a cell replaces an earlier one, whichever kind each is.
TEST(CellStore, LaterBlanksAndValuesReplaceEarlierOnes) {
  CellStore s;
  s.put({0, 0}, Cell{CellValue::number(1), 15, nullptr});
  s.put_blank({0, 0}, 20);
  s.put_blank({0, 1}, 20);
  s.put_blank({0, 0}, 21);
  EXPECT_EQ(s.size(), 2u);
  EXPECT_EQ(seen(s.begin(), s.end()), (std::vector<Seen>{{{0, 0}, 21, true}, {{0, 1}, 20, true}}));
  CellStore copy = s;
  s.erase({0, 0});
  EXPECT_EQ(copy.size(), 2u);
  EXPECT_EQ(copy.find({0, 0})->xf, 21);
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

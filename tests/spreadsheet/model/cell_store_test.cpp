// The cell store's own pool: copies, moves and the moved-from store stay independent and usable;
// formatted blank cells kept as runs look like cells of their own to every reader and editor.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>

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

// Edits in any order, checked against a plain ordered map of what each position should hold:
// iteration, find, size, last_row, used_range and lower_bound at and around every touched place.
struct Edit {
  enum Kind { Put, Blank, Erase, SetThroughFind, At } kind;
  CellRef at;
  int arg = 0;  // the number put, or the blank's format
};

struct Expected {
  uint16_t xf;
  std::optional<int> number;
  friend bool operator==(const Expected&, const Expected&) = default;
};

void apply(CellStore& s, std::map<uint32_t, Expected>& model, const Edit& e) {
  const uint32_t k = CellStore::key(e.at);
  switch (e.kind) {
    case Edit::Put:
      s.put(e.at, Cell{CellValue::number(e.arg), 15, nullptr});
      model[k] = {15, e.arg};
      break;
    case Edit::Blank:
      s.put_blank(e.at, static_cast<uint16_t>(e.arg));
      model[k] = {static_cast<uint16_t>(e.arg), std::nullopt};
      break;
    case Edit::Erase:
      s.erase(e.at);
      model.erase(k);
      break;
    case Edit::SetThroughFind:
      if (Cell* cell = s.find(e.at)) cell->value = CellValue::number(e.arg);
      if (auto it = model.find(k); it != model.end()) it->second.number = e.arg;
      break;
    case Edit::At:
      s.at(e.at, static_cast<uint16_t>(e.arg));
      model.try_emplace(k, Expected{static_cast<uint16_t>(e.arg), std::nullopt});
      break;
  }
}

Expected shown(const Cell& c) {
  return {c.xf, c.value.is_blank() ? std::nullopt : std::optional<int>(static_cast<int>(c.value.as_number()))};
}

void expect_holds(const CellStore& s, const std::map<uint32_t, Expected>& model, const std::vector<CellRef>& probes) {
  std::vector<std::pair<uint32_t, Expected>> walked;
  for (const auto& [k, cell] : s) walked.emplace_back(k, shown(cell));
  EXPECT_EQ(walked, (std::vector<std::pair<uint32_t, Expected>>(model.begin(), model.end())));
  EXPECT_EQ(s.size(), model.size());
  if (model.empty()) {
    EXPECT_EQ(s.last_row(), std::nullopt);
    EXPECT_EQ(s.used_range(), std::nullopt);
  } else {
    RangeRef r{CellStore::position(model.begin()->first), CellStore::position(model.begin()->first)};
    for (const auto& [k, e] : model) {
      const CellRef at = CellStore::position(k);
      r = {{std::min(r.first.row, at.row), std::min(r.first.col, at.col)}, {std::max(r.last.row, at.row), std::max(r.last.col, at.col)}};
    }
    EXPECT_EQ(s.last_row(), r.last.row);
    EXPECT_EQ(s.used_range(), r);
  }
  for (CellRef p : probes) {
    SCOPED_TRACE(testing::Message() << "probe " << p.row << "," << p.col);
    const auto want = model.find(CellStore::key(p));
    const Cell* got = s.find(p);
    EXPECT_EQ(got ? std::optional<Expected>(shown(*got)) : std::nullopt,
              want == model.end() ? std::nullopt : std::optional<Expected>(want->second));
    // A position left of column A or above row 1 is searched from the start of its row or sheet,
    // one right of the last column from the next row.
    const CellRef start = p.row < 0 ? CellRef{0, 0} : p.col >= kMaxColumns ? CellRef{p.row + 1, 0} : CellRef{p.row, std::max(p.col, 0)};
    const auto next = model.lower_bound(CellStore::key(start));
    const auto from = s.lower_bound(p);
    if (next == model.end()) {
      EXPECT_TRUE(from == s.end());
    } else {
      ASSERT_FALSE(from == s.end());
      EXPECT_EQ(from->first, next->first);
      EXPECT_EQ(std::distance(from, s.end()), std::distance(next, model.end()));
    }
  }
}

TEST(CellStore, EditsInAnyOrderMatchAnOrderedMap) {
  using E = Edit;
  struct Case {
    const char* name;
    std::vector<Edit> edits;
  };
  const Case cases[] = {
      {"out-of-order puts and a repeated one",
       {{E::Put, {5, 3}, 1}, {E::Put, {0, 255}, 2}, {E::Put, {5, 0}, 3}, {E::Put, {2, 7}, 4}, {E::Put, {5, 200}, 5},
        {E::Put, {0, 0}, 6}, {E::Put, {5, 1}, 7}, {E::Put, {5, 2}, 8}, {E::Put, {5, 3}, 9}, {E::At, {5, 4}, 40}}},
      {"erase then put again, a row emptied and filled",
       {{E::Put, {1, 1}, 1}, {E::Put, {1, 2}, 2}, {E::Put, {3, 3}, 3}, {E::Put, {1, 0}, 4}, {E::Put, {1, 9}, 5},
        {E::Put, {1, 4}, 6}, {E::Erase, {1, 2}, 0}, {E::Erase, {3, 3}, 0}, {E::Erase, {3, 3}, 0}, {E::Erase, {7, 7}, 0},
        {E::Put, {1, 2}, 7}, {E::Put, {3, 3}, 8}, {E::Erase, {1, 0}, 0}, {E::Erase, {1, 1}, 0}, {E::Erase, {1, 2}, 0},
        {E::Erase, {1, 4}, 0}, {E::Erase, {1, 9}, 0}}},
      {"a run over a row end cut at its middle, first and last cells",
       {{E::Blank, {1, 250}, 20}, {E::Blank, {1, 251}, 20}, {E::Blank, {1, 252}, 20}, {E::Blank, {1, 253}, 20},
        {E::Blank, {1, 254}, 20}, {E::Blank, {1, 255}, 20}, {E::Blank, {2, 0}, 20}, {E::Blank, {2, 1}, 20},
        {E::Blank, {2, 2}, 20}, {E::Put, {1, 255}, 1}, {E::Erase, {1, 250}, 0}, {E::SetThroughFind, {2, 2}, 2},
        {E::At, {2, 1}, 30}, {E::Blank, {1, 252}, 21}, {E::Erase, {1, 255}, 0}}},
      {"the sheet's last row and column",
       {{E::Put, {65535, 255}, 1}, {E::Put, {0, 0}, 2}, {E::Blank, {65535, 253}, 20}, {E::Blank, {65535, 254}, 20},
        {E::Put, {65534, 255}, 3}, {E::Erase, {65535, 255}, 0}, {E::SetThroughFind, {65535, 254}, 4}}},
      {"blanks and values replacing each other",
       {{E::Put, {0, 0}, 1}, {E::Blank, {0, 0}, 20}, {E::Blank, {0, 1}, 20}, {E::Put, {0, 1}, 2}, {E::Blank, {0, 1}, 21},
        {E::At, {0, 0}, 99}, {E::SetThroughFind, {0, 0}, 3}, {E::SetThroughFind, {0, 5}, 4}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CellStore s;
    std::map<uint32_t, Expected> model;
    std::vector<CellRef> probes{{0, 0}, {65535, 255}, {-1, 0}, {0, 256}};
    for (const Edit& e : c.edits) {
      apply(s, model, e);
      for (CellRef p : {e.at, CellRef{e.at.row, e.at.col - 1}, CellRef{e.at.row, e.at.col + 1}, CellRef{e.at.row + 1, 0}})
        probes.push_back(p);
    }
    expect_holds(s, model, probes);
    // A copy and a moved-to store hold the same and change independently afterwards.
    CellStore copy = s;
    CellStore moved = std::move(s);
    std::map<uint32_t, Expected> copy_model = model;
    apply(copy, copy_model, {E::Put, {4, 4}, 44});
    apply(moved, model, {E::Erase, c.edits.front().at, 0});
    expect_holds(copy, copy_model, probes);
    expect_holds(moved, model, probes);
  }
}

// Callers keep a cell's reference while they add others (a formula's cell while the cells it
// reads are created, a reader's formula cell until its string record comes).
TEST(CellStore, ACellStaysWhereItIsWhileOthersComeAndGo) {
  CellStore s;
  Cell& kept = s.at({300, 7});
  kept.value = CellValue::number(7);
  for (int i = 0; i < 20000; ++i) s.put({(i * 7919) % 600, i % 256}, Cell{CellValue::number(i), 15, nullptr});
  s.put({300, 7}, Cell{CellValue::number(8), 15, nullptr});
  for (int i = 0; i < 5000; ++i) s.erase({(i * 7919) % 600, i % 256});
  EXPECT_EQ(&kept, s.find({300, 7}));
  EXPECT_EQ(kept.value.as_number(), 8);
  const CellStore moved = std::move(s);
  EXPECT_EQ(&kept, moved.find({300, 7}));
}

// Positions outside the sheet hold nothing and cannot be given a cell.
TEST(CellStore, PositionsOutsideTheSheet) {
  CellStore s;
  s.put({0, 0}, Cell{});
  for (CellRef outside : {CellRef{-1, 0}, CellRef{0, -1}, CellRef{0, 256}, CellRef{65536, 0}}) {
    EXPECT_EQ(s.find(outside), nullptr);
    EXPECT_THROW(s.at(outside), std::out_of_range);
    EXPECT_THROW(s.put_blank(outside, 20), std::out_of_range);
    s.erase(outside);
  }
  EXPECT_EQ(s.size(), 1u);
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

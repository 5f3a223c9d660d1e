#pragma once
// A corpus test's closed list of the cells where we are known to differ from what the
// spreadsheet wrote, each with its reason. Any other difference fails the test, and so does an
// entry that no longer matches a difference (a mended cell must leave the list).

#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace tabrel::corpus {

// One difference a test found: the corpus file, the sheet, the cell (A1) and what differs.
struct Difference {
  std::string file, sheet, cell, detail;
};

// Cells allowed to differ: `cells` is "SHEET!A1", a range "SHEET!A1:C9", or "SHEET!*" for
// every cell of the sheet.
struct KnownDifference {
  const char* file;
  const char* cells;
  const char* reason;
};

struct Review {
  std::vector<std::string> unexpected;  // differences no entry allows
  std::vector<std::string> unmatched;   // entries that allow no difference found
  std::map<std::string, size_t> by_reason;  // allowed differences per reason

  bool clean() const { return unexpected.empty() && unmatched.empty(); }
  // The unexpected differences and the unmatched entries, one a line.
  std::string report() const;
};

Review review(const std::vector<Difference>& found, std::span<const KnownDifference> known);

}  // namespace tabrel::corpus

#include "corpus/known_differences.h"

#include "spreadsheet/core/text.h"
#include "spreadsheet/model/cell_ref.h"

namespace tabrel::corpus {
namespace {

bool in_range(const std::string& range, const std::string& cell) {
  if (range == "*" || range == cell) return true;
  const size_t colon = range.find(':');
  if (colon == std::string::npos) return false;
  const auto first = model::parse_a1(from_utf8(range.substr(0, colon)));
  const auto last = model::parse_a1(from_utf8(range.substr(colon + 1)));
  const auto at = model::parse_a1(from_utf8(cell));
  return first && last && at && at->row >= first->row && at->row <= last->row && at->col >= first->col &&
         at->col <= last->col;
}

bool allows(const KnownDifference& k, const Difference& d) {
  if (d.file != k.file) return false;
  const std::string cells = k.cells;
  const size_t bang = cells.rfind('!');
  return bang != std::string::npos && cells.substr(0, bang) == d.sheet && in_range(cells.substr(bang + 1), d.cell);
}

}  // namespace

std::string Review::report() const {
  std::string s;
  if (!unexpected.empty()) s += std::to_string(unexpected.size()) + " differences that the list does not allow:\n";
  for (const auto& u : unexpected) s += "  " + u + "\n";
  if (!unmatched.empty()) s += std::to_string(unmatched.size()) + " entries that allow no difference (mended? take them out):\n";
  for (const auto& u : unmatched) s += "  " + u + "\n";
  return s;
}

Review review(const std::vector<Difference>& found, std::span<const KnownDifference> known) {
  Review out;
  std::vector<bool> used(known.size(), false);
  for (const Difference& d : found) {
    bool allowed = false;
    for (size_t i = 0; i < known.size() && !allowed; ++i) {
      if (!allows(known[i], d)) continue;
      allowed = used[i] = true;
      ++out.by_reason[known[i].reason];
    }
    if (!allowed) out.unexpected.push_back(d.file + " " + d.sheet + "!" + d.cell + ": " + d.detail);
  }
  for (size_t i = 0; i < known.size(); ++i)
    if (!used[i]) out.unmatched.push_back(std::string(known[i].file) + " " + known[i].cells + " (" + known[i].reason + ")");
  return out;
}

}  // namespace tabrel::corpus

#include "spreadsheet/cfb/chain.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "spreadsheet/cfb/error.h"
#include "spreadsheet/cfb/message_text.h"
#include "spreadsheet/cfb/format.h"

namespace tabrel::cfb {
namespace {

std::string chain_of(const ChainRequest& r) { return "chain of " + std::string(r.what); }

void check_id(std::span<const uint32_t> table, uint32_t id, size_t position, const ChainRequest& r) {
  if (id > kMaxRegularSector)
    throw Error(ErrorCode::BadSectorId, chain_of(r) + " holds invalid " + std::string(r.unit) +
                                            " id " + hex(id) + " after " + std::to_string(position) +
                                            " " + std::string(r.unit) + "s");
  if (id >= table.size())
    throw Error(ErrorCode::BadSectorId,
                chain_of(r) + " holds " + std::string(r.unit) + " id " + std::to_string(id) +
                    " after " + std::to_string(position) + " " + std::string(r.unit) +
                    "s, beyond the " + std::to_string(table.size()) + " entries of its table");
}

// The first id that the chain visits a second time, if any. Sorting the chain costs what the
// chain costs, where a mark per table entry would cost the whole table for every short stream.
std::optional<uint32_t> first_repeat(const std::vector<uint32_t>& chain) {
  std::vector<std::pair<uint32_t, size_t>> sorted;  // (id, position)
  sorted.reserve(chain.size());
  for (size_t i = 0; i < chain.size(); ++i) sorted.emplace_back(chain[i], i);
  std::sort(sorted.begin(), sorted.end());
  std::optional<std::pair<size_t, uint32_t>> earliest;  // (position of the second visit, id)
  for (size_t i = 1; i < sorted.size(); ++i)
    if (sorted[i].first == sorted[i - 1].first && (!earliest || sorted[i].second < earliest->first))
      earliest = std::pair{sorted[i].second, sorted[i].first};
  if (!earliest) return std::nullopt;
  return earliest->second;
}

}  // namespace

uint64_t sectors_for(uint64_t size, uint32_t unit_size) {
  return size / unit_size + (size % unit_size != 0 ? 1 : 0);
}

std::vector<uint32_t> follow_chain(std::span<const uint32_t> table, uint32_t start,
                                   const ChainRequest& r) {
  std::vector<uint32_t> chain;
  uint32_t id = start;
  // A chain longer than its table visits some id twice, so the walk stops there at the latest.
  while ((r.to_end || chain.size() < r.needed) && chain.size() <= table.size()) {
    if (id == kEndOfChain) break;
    check_id(table, id, chain.size(), r);
    chain.push_back(id);
    id = table[id];
  }
  if (const std::optional<uint32_t> twice = first_repeat(chain))
    throw Error(ErrorCode::ChainLoop, chain_of(r) + " visits " + std::string(r.unit) + " " +
                                          std::to_string(*twice) + " twice");
  if (!r.to_end && chain.size() < r.needed)
    throw Error(ErrorCode::ChainTooShort, chain_of(r) + " ends after " + std::to_string(chain.size()) +
                                              " " + std::string(r.unit) + "s, its size needs " +
                                              std::to_string(r.needed));
  if (!r.to_end && r.exact && id != kEndOfChain)
    throw Error(ErrorCode::ChainTooLong, chain_of(r) + " continues past the " +
                                             std::to_string(r.needed) + " " + std::string(r.unit) +
                                             "s its size needs");
  return chain;
}

}  // namespace tabrel::cfb

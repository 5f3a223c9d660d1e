#include "spreadsheet/cfb/chain.h"

#include <string>

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

}  // namespace

uint64_t sectors_for(uint64_t size, uint32_t unit_size) {
  return size / unit_size + (size % unit_size != 0 ? 1 : 0);
}

std::vector<uint32_t> follow_chain(std::span<const uint32_t> table, uint32_t start,
                                   const ChainRequest& r) {
  std::vector<uint32_t> chain;
  std::vector<bool> visited;
  uint32_t id = start;
  while (r.to_end || chain.size() < r.needed) {
    if (id == kEndOfChain) break;
    check_id(table, id, chain.size(), r);
    if (visited.empty()) visited.resize(table.size());
    if (visited[id])
      throw Error(ErrorCode::ChainLoop, chain_of(r) + " visits " + std::string(r.unit) + " " +
                                            std::to_string(id) + " twice");
    visited[id] = true;
    chain.push_back(id);
    id = table[id];
  }
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

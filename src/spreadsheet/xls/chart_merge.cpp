#include "spreadsheet/xls/chart_merge.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "spreadsheet/biff/records.h"

namespace tabrel::xls {
namespace {

namespace rt = biff::rt;
using model::RawRecord;

// A record with the block (Begin .. End) that follows it, if any.
struct Node {
  const RawRecord* record = nullptr;
  bool block = false;
  std::vector<Node> children;
};

// Reads records into nodes up to the End that closes `depth` (the stream's end at depth 0).
void parse(std::span<const RawRecord> records, size_t& at, int depth, std::vector<Node>& out) {
  while (at < records.size()) {
    const RawRecord& r = records[at++];
    if (r.id == rt::End && depth > 0) return;
    if (r.id == rt::Begin && !out.empty() && !out.back().block) {
      out.back().block = true;
      parse(records, at, depth + 1, out.back().children);
      continue;
    }
    out.push_back(Node{&r, false, {}});
  }
}

std::vector<Node> tree(std::span<const RawRecord> records) {
  std::vector<Node> root;
  size_t at = 0;
  parse(records, at, 0, root);
  return root;
}

uint16_t u16_at(const RawRecord& r, size_t offset) {
  return offset + 2 <= r.payload.size() ? static_cast<uint16_t>(r.payload[offset] | r.payload[offset + 1] << 8) : 0;
}

// What names a record among its siblings: its type, what tells it from others of its type (the
// series, point, axis, link ...), the tag record it follows (an axis line's kind, a default
// text's kind, a cached-data column kind) and its count among equals.
using Key = std::tuple<uint16_t, int64_t, int64_t, int>;

// Maps a series index as written to the index it had when stored.
using SeriesMap = std::function<int64_t(uint16_t)>;

bool cached_cell(uint16_t id) { return id == rt::Number || id == rt::Label || id == rt::Blank || id == rt::BoolErr; }

int64_t identity(const Node& n, uint16_t parent, const SeriesMap& series, int64_t& series_seen) {
  const RawRecord& r = *n.record;
  switch (r.id) {
    case rt::Series: return series(static_cast<uint16_t>(series_seen++));
    case rt::DataFormat: {
      const int64_t owner = parent == rt::Series ? series(u16_at(r, 2)) : u16_at(r, 2);
      return static_cast<int64_t>(u16_at(r, 0)) << 40 | (owner & 0xFFFFFFFFFF);
    }
    case rt::Text:
      for (const Node& c : n.children)
        if (c.record->id == rt::ObjectLink) {
          const uint16_t kind = u16_at(*c.record, 0);
          const int64_t var1 = kind == 4 ? series(u16_at(*c.record, 2)) : u16_at(*c.record, 2);
          return static_cast<int64_t>(kind) << 56 | static_cast<int64_t>(u16_at(*c.record, 4)) << 40 | (var1 & 0xFFFFFFFFFF);
        }
      return -1;
    case rt::AxisParent:
    case rt::Axis: return u16_at(r, 0);
    case rt::ChartFormat: return u16_at(r, 18);
    default:
      if (cached_cell(r.id)) return static_cast<int64_t>(u16_at(r, 0)) << 40 | (series(u16_at(r, 2)) & 0xFFFFFFFFFF);
      return 0;
  }
}

std::vector<Key> keys(const std::vector<Node>& nodes, uint16_t parent, const SeriesMap& series) {
  std::vector<Key> out;
  std::map<std::tuple<uint16_t, int64_t, int64_t>, int> seen;
  int64_t context = 0, series_seen = 0;
  bool one_shot = false;  // the context names only the next record
  for (const Node& n : nodes) {
    const uint16_t id = n.record->id;
    const int64_t disc = identity(n, parent, series, series_seen);
    out.emplace_back(id, disc, context, seen[{id, disc, context}]++);
    if (one_shot) context = 0, one_shot = false;
    const int64_t tag = u16_at(*n.record, 0);
    if (id == rt::AxisLine) context = 0x10000 | tag;
    if (id == rt::CrtLine) context = 0x20000 | tag;
    if (id == rt::SIIndex) context = 0x30000 | tag;
    if (id == rt::DefaultText) context = 0x40000 | tag, one_shot = true;
  }
  return out;
}

bool same_tree(const Node& a, const Node& b) {
  if (*a.record != *b.record || a.block != b.block || a.children.size() != b.children.size()) return false;
  for (size_t i = 0; i < a.children.size(); ++i)
    if (!same_tree(a.children[i], b.children[i])) return false;
  return true;
}

const RawRecord* child_record(const std::vector<Node>& nodes, uint16_t id) {
  for (const Node& n : nodes)
    if (n.record->id == id) return n.record;
  return nullptr;
}

class Merger {
 public:
  Merger(std::span<const int> origin, std::vector<RawRecord>& out) : origin_(origin), out_(out) {}

  void merge(const std::vector<Node>* stored, const std::vector<Node>* as_read, const std::vector<Node>& now, uint16_t parent) {
    // Text runs index the characters of the text they were stored with.
    bool text_changed = false;
    if (parent == rt::Text && stored) {
      const RawRecord* before = child_record(*stored, rt::SeriesText);
      const RawRecord* after = child_record(now, rt::SeriesText);
      text_changed = (before == nullptr) != (after == nullptr) || (before && after && before->payload != after->payload);
    }
    const SeriesMap same = [](uint16_t i) { return static_cast<int64_t>(i); };
    const SeriesMap moved = [this](uint16_t i) {
      return i < origin_.size() && origin_[i] >= 0 ? static_cast<int64_t>(origin_[i]) : (int64_t{1} << 32) + i;
    };
    const std::vector<Key> now_keys = keys(now, parent, moved);
    const std::set<Key> now_set(now_keys.begin(), now_keys.end());
    std::map<Key, const Node*> stored_at, as_read_at;
    // Stored records the model does not hold, by the last record before them that both the
    // model as read and the model now still write (none: at the block's start).
    std::map<std::optional<Key>, std::vector<const Node*>> kept;
    if (stored && as_read) {
      const std::vector<Key> read_keys = keys(*as_read, parent, same);
      for (size_t i = 0; i < as_read->size(); ++i) as_read_at[read_keys[i]] = &(*as_read)[i];
      const std::vector<Key> stored_keys = keys(*stored, parent, same);
      std::optional<Key> anchor;
      for (size_t i = 0; i < stored->size(); ++i) {
        stored_at[stored_keys[i]] = &(*stored)[i];
        const bool modelled = as_read_at.contains(stored_keys[i]);
        if (modelled && now_set.contains(stored_keys[i])) anchor = stored_keys[i];
        if (!modelled && !(text_changed && (*stored)[i].record->id == rt::AlRuns)) kept[anchor].push_back(&(*stored)[i]);
      }
    }
    std::vector<const Node*> pending = kept[std::nullopt];
    for (size_t i = 0; i < now.size(); ++i) {
      const Node& n = now[i];
      if (!cached_cell(n.record->id)) flush(pending);
      const auto s = stored_at.find(now_keys[i]);
      const auto r = as_read_at.find(now_keys[i]);
      const Node* was = s != stored_at.end() && r != as_read_at.end() ? s->second : nullptr;
      const Node* read = was ? r->second : nullptr;
      // What the writer adds to every chart, unchanged, stays out where the file did without it.
      if (!was && stored && r != as_read_at.end() && same_tree(*r->second, n)) continue;
      out_.push_back(was && *read->record == *n.record ? *was->record : *n.record);
      if (n.block) {
        out_.push_back(RawRecord{rt::Begin, {}, {}});
        merge(was && was->block ? &was->children : nullptr, read && read->block ? &read->children : nullptr, n.children,
              n.record->id);
        out_.push_back(RawRecord{rt::End, {}, {}});
      } else if (was && was->block && !read->block) {
        emit_block(*was);
      }
      if (const auto k = kept.find(now_keys[i]); k != kept.end())
        pending.insert(pending.end(), k->second.begin(), k->second.end());
    }
    flush(pending);
  }

 private:
  void flush(std::vector<const Node*>& pending) {
    for (const Node* n : pending) emit(*n);
    pending.clear();
  }

  void emit(const Node& n) {
    out_.push_back(*n.record);
    if (n.block) emit_block(n);
  }

  void emit_block(const Node& n) {
    out_.push_back(RawRecord{rt::Begin, {}, {}});
    for (const Node& c : n.children) emit(c);
    out_.push_back(RawRecord{rt::End, {}, {}});
  }

  std::span<const int> origin_;
  std::vector<RawRecord>& out_;
};

}  // namespace

std::vector<RawRecord> merge_chart_records(std::span<const RawRecord> stored, std::span<const RawRecord> as_read,
                                           std::span<const RawRecord> now, std::span<const int> origin) {
  const std::vector<Node> stored_tree = tree(stored), read_tree = tree(as_read), now_tree = tree(now);
  std::vector<RawRecord> out;
  out.reserve(stored.size() + now.size());
  Merger(origin, out).merge(&stored_tree, &read_tree, now_tree, 0);
  return out;
}

}  // namespace tabrel::xls

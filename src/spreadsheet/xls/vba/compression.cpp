#include "spreadsheet/xls/vba/compression.h"

#include <algorithm>
#include <array>
#include <string>

#include "spreadsheet/xls/vba/project_error.h"

namespace tabrel::xls::vba {
namespace {

constexpr uint8_t kSignature = 0x01;
constexpr size_t kChunkSize = 4096;          // decompressed bytes per chunk
constexpr size_t kMaxChunkBytes = 4098;      // a chunk with its header, compressed or raw
constexpr uint16_t kChunkSignature = 0x3000; // bits 12-14 of the header: 0b011
constexpr uint16_t kCompressedFlag = 0x8000;

// A copy token splits its 16 bits between offset and length by how far the chunk has come:
// the offset gets just enough bits to reach back to the chunk's start, at least 4.
struct TokenLayout {
  unsigned offset_bits;
  uint16_t length_mask;
  size_t max_length;
};

TokenLayout token_layout(size_t decompressed_in_chunk) {
  unsigned bits = 4;
  while ((size_t{1} << bits) < decompressed_in_chunk) ++bits;
  const uint16_t length_mask = static_cast<uint16_t>(0xFFFF >> bits);
  return {bits, length_mask, size_t{length_mask} + 3};
}

class Decompressor {
 public:
  Decompressor(std::span<const uint8_t> in, size_t limit) : in_(in), limit_(limit) {}

  std::vector<uint8_t> run() {
    if (in_.empty() || in_[0] != kSignature) throw ProjectError(0, "compressed container lacks its signature byte");
    size_t pos = 1;
    while (pos < in_.size()) pos = chunk(pos);
    return std::move(out_);
  }

 private:
  size_t chunk(size_t start) {
    if (in_.size() - start < 2) throw ProjectError(start, "compressed chunk header cut short");
    const uint16_t header = static_cast<uint16_t>(in_[start] | (in_[start + 1] << 8));
    if ((header & 0x7000) != kChunkSignature) throw ProjectError(start, "compressed chunk has a wrong signature");
    const size_t end = std::min(in_.size(), start + (header & 0x0FFF) + 3);
    const size_t chunk_start = out_.size();
    if ((header & kCompressedFlag) == 0) {
      if (in_.size() - (start + 2) < kChunkSize) throw ProjectError(start, "raw chunk shorter than 4096 bytes");
      grow(kChunkSize, start);
      out_.insert(out_.end(), in_.begin() + static_cast<ptrdiff_t>(start + 2),
                  in_.begin() + static_cast<ptrdiff_t>(start + 2 + kChunkSize));
      return start + 2 + kChunkSize;
    }
    size_t pos = start + 2;
    while (pos < end) {
      const uint8_t flags = in_[pos++];
      for (int bit = 0; bit < 8 && pos < end; ++bit) {
        if ((flags & (1u << bit)) == 0) {
          grow(1, pos);
          out_.push_back(in_[pos++]);
        } else {
          if (end - pos < 2) throw ProjectError(pos, "copy token cut short");
          copy(static_cast<uint16_t>(in_[pos] | (in_[pos + 1] << 8)), chunk_start, pos);
          pos += 2;
        }
        if (out_.size() - chunk_start > kChunkSize) throw ProjectError(pos, "chunk decompresses to more than 4096 bytes");
      }
    }
    return end;
  }

  void copy(uint16_t token, size_t chunk_start, size_t at) {
    const size_t done = out_.size() - chunk_start;
    const TokenLayout layout = token_layout(done);
    const size_t length = (token & layout.length_mask) + size_t{3};
    const size_t offset = (token >> (16 - layout.offset_bits)) + size_t{1};
    if (offset > done) throw ProjectError(at, "copy token points before its chunk");
    grow(length, at);
    for (size_t i = 0, from = out_.size() - offset; i < length; ++i) out_.push_back(out_[from + i]);
  }

  void grow(size_t more, size_t at) {
    if (out_.size() + more > limit_) throw ProjectError(at, "decompressed text larger than allowed");
  }

  std::span<const uint8_t> in_;
  size_t limit_;
  std::vector<uint8_t> out_;
};

// Finds the longest earlier match in the chunk, the nearest one among equals, through chains
// of positions that share their first three bytes. A match that reaches the chunk's end cannot
// be beaten, and the walk along one chain is bounded so that long runs stay cheap.
class MatchFinder {
 public:
  explicit MatchFinder(std::span<const uint8_t> chunk) : chunk_(chunk) {
    head_.fill(kNone);
    previous_.assign(chunk.size(), kNone);
  }

  struct Match {
    size_t offset = 0;
    size_t length = 0;
  };

  Match find(size_t at) const {
    Match best;
    if (chunk_.size() - at < 3) return best;
    const size_t room = chunk_.size() - at;
    int steps = 0;
    for (uint16_t c = head_[key(at)]; c != kNone && steps < kMaxSteps; c = previous_[c], ++steps) {
      size_t length = 0;
      while (length < room && chunk_[c + length] == chunk_[at + length]) ++length;
      if (length > best.length) best = {at - c, length};
      if (length == room) break;
    }
    return best.length >= 3 ? best : Match{};
  }

  // Enters positions up to (not including) `end` into the chains.
  void enter_until(size_t end) {
    for (; entered_ < end; ++entered_) {
      if (chunk_.size() - entered_ < 3) continue;
      const size_t k = key(entered_);
      previous_[entered_] = head_[k];
      head_[k] = static_cast<uint16_t>(entered_);
    }
  }

 private:
  static constexpr uint16_t kNone = 0xFFFF;
  static constexpr int kMaxSteps = 512;

  size_t key(size_t at) const {
    return ((chunk_[at] << 7) ^ (chunk_[at + 1] << 4) ^ chunk_[at + 2]) & (kHeads - 1);
  }

  static constexpr size_t kHeads = 4096;
  std::span<const uint8_t> chunk_;
  std::array<uint16_t, kHeads> head_{};
  std::vector<uint16_t> previous_;
  size_t entered_ = 0;
};

std::vector<uint8_t> compressed_tokens(std::span<const uint8_t> chunk) {
  std::vector<uint8_t> out;
  MatchFinder finder(chunk);
  size_t at = 0;
  while (at < chunk.size()) {
    const size_t flag_at = out.size();
    out.push_back(0);
    for (int bit = 0; bit < 8 && at < chunk.size(); ++bit) {
      finder.enter_until(at);
      const TokenLayout layout = token_layout(at);
      MatchFinder::Match m = finder.find(at);
      if (m.length == 0) {
        out.push_back(chunk[at++]);
        continue;
      }
      m.length = std::min(m.length, layout.max_length);
      const uint16_t token =
          static_cast<uint16_t>(((m.offset - 1) << (16 - layout.offset_bits)) | (m.length - 3));
      out.push_back(static_cast<uint8_t>(token));
      out.push_back(static_cast<uint8_t>(token >> 8));
      out[flag_at] = static_cast<uint8_t>(out[flag_at] | (1u << bit));
      at += m.length;
    }
  }
  return out;
}

void put_header(std::vector<uint8_t>& out, uint16_t header) {
  out.push_back(static_cast<uint8_t>(header));
  out.push_back(static_cast<uint8_t>(header >> 8));
}

}  // namespace

std::vector<uint8_t> decompress(std::span<const uint8_t> container, size_t limit) {
  return Decompressor(container, limit).run();
}

std::vector<uint8_t> compress(std::span<const uint8_t> data) {
  std::vector<uint8_t> out{kSignature};
  for (size_t start = 0; start < data.size(); start += kChunkSize) {
    const auto chunk = data.subspan(start, std::min(kChunkSize, data.size() - start));
    const std::vector<uint8_t> tokens = compressed_tokens(chunk);
    if (tokens.size() + 2 <= kMaxChunkBytes) {
      put_header(out, static_cast<uint16_t>(kCompressedFlag | kChunkSignature | (tokens.size() - 1)));
      out.insert(out.end(), tokens.begin(), tokens.end());
    } else {
      // Stored as it is: a raw chunk always holds 4096 bytes, so a short last one is padded.
      put_header(out, static_cast<uint16_t>(kChunkSignature | (kMaxChunkBytes - 3)));
      out.insert(out.end(), chunk.begin(), chunk.end());
      out.resize(out.size() + (kChunkSize - chunk.size()), 0);
    }
  }
  return out;
}

}  // namespace tabrel::xls::vba

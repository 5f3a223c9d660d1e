#include "spreadsheet/biff/record_writer.h"

#include <algorithm>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/crypto/record_cipher.h"

namespace tabrel::biff {
namespace {

// Cuts a payload into record-sized parts, where the builder allows.
class Splitter {
 public:
  Splitter() : parts_(1) {}

  size_t room() const { return kMaxPayload - parts_.back().size(); }
  void cut() { parts_.emplace_back(); }

  void fixed(const std::vector<uint8_t>& bytes, bool loose) {
    if (!loose && bytes.size() > room() && !parts_.back().empty() && bytes.size() <= kMaxPayload) cut();
    size_t done = 0;
    while (done < bytes.size()) {
      if (room() == 0) cut();
      size_t n = std::min(room(), bytes.size() - done);
      parts_.back().insert(parts_.back().end(), bytes.begin() + static_cast<long>(done),
                           bytes.begin() + static_cast<long>(done + n));
      done += n;
    }
  }

  // Returns the part index and the position of the string's first byte in it.
  std::pair<size_t, size_t> string(const PayloadBuilder::Piece& p) {
    size_t width = p.wide ? 2 : 1;
    size_t need = p.bytes.size() + (p.text.empty() ? 0 : width);
    if (need > room() && !parts_.back().empty()) cut();
    std::pair<size_t, size_t> at{parts_.size() - 1, parts_.back().size()};
    auto& first = parts_.back();
    first.insert(first.end(), p.bytes.begin(), p.bytes.end());
    size_t i = 0;
    while (i < p.text.size()) {
      if (room() < width) {
        cut();
        parts_.back().push_back(p.wide ? 1 : 0);  // the continuation's flag byte
      }
      size_t n = std::min(p.text.size() - i, room() / width);
      auto& part = parts_.back();
      for (size_t k = i; k < i + n; ++k) {
        part.push_back(static_cast<uint8_t>(p.text[k] & 0xFF));
        if (p.wide) part.push_back(static_cast<uint8_t>(p.text[k] >> 8));
      }
      i += n;
    }
    return at;
  }

  const std::vector<std::vector<uint8_t>>& parts() const { return parts_; }

 private:
  std::vector<std::vector<uint8_t>> parts_;
};

}  // namespace

void RecordWriter::emit(uint16_t type, std::span<const uint8_t> payload) {
  out_.push_back(static_cast<uint8_t>(type));
  out_.push_back(static_cast<uint8_t>(type >> 8));
  out_.push_back(static_cast<uint8_t>(payload.size()));
  out_.push_back(static_cast<uint8_t>(payload.size() >> 8));
  size_t start = out_.size();
  out_.insert(out_.end(), payload.begin(), payload.end());
  size_t plain = std::min(plain_prefix_size(type), payload.size());
  if (cipher_ && plain < payload.size()) {
    cipher_->encrypt(start + plain, payload.size(), std::span(out_).subspan(start + plain, payload.size() - plain));
  }
}

void RecordWriter::write(uint16_t type, std::span<const uint8_t> payload) {
  size_t done = 0;
  do {
    size_t n = std::min(kMaxPayload, payload.size() - done);
    emit(done == 0 ? type : rt::Continue, payload.subspan(done, n));
    done += n;
  } while (done < payload.size());
}

std::vector<RecordWriter::StringPlacement> RecordWriter::write(uint16_t type, const PayloadBuilder& payload) {
  Splitter splitter;
  std::vector<std::pair<size_t, size_t>> strings;
  for (const auto& piece : payload.pieces()) {
    if (piece.is_string) {
      strings.push_back(splitter.string(piece));
    } else {
      splitter.fixed(piece.bytes, piece.loose);
    }
  }
  std::vector<uint64_t> headers;
  for (size_t i = 0; i < splitter.parts().size(); ++i) {
    headers.push_back(position());
    emit(i == 0 ? type : rt::Continue, splitter.parts()[i]);
  }
  std::vector<StringPlacement> out;
  out.reserve(strings.size());
  for (auto [part, at] : strings) {
    out.push_back({headers[part] + 4 + at, static_cast<uint16_t>(4 + at)});
  }
  return out;
}

void RecordWriter::patch_u32(uint64_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) out_.at(offset + static_cast<uint64_t>(i)) = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace tabrel::biff

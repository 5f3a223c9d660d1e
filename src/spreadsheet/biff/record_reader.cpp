#include "spreadsheet/biff/record_reader.h"

#include <algorithm>

#include "spreadsheet/biff/format_error.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/crypto/record_cipher.h"

namespace tabrel::biff {
namespace {

constexpr size_t kHeaderSize = 4;

uint16_t le16(std::span<const uint8_t> s, uint64_t at) {
  return static_cast<uint16_t>(s[at] | s[at + 1] << 8);
}

}  // namespace

RecordReader::RecordReader(std::span<const uint8_t> stream) : stream_(stream) {}

bool RecordReader::peek_type(uint16_t& type) const {
  if (stream_.size() - pos_ < kHeaderSize) return false;
  type = le16(stream_, pos_);
  return true;
}

void RecordReader::seek(uint64_t offset) {
  if (offset > stream_.size()) throw FormatError(offset, "position past the end of the stream");
  pos_ = offset;
}

bool RecordReader::at_padding() const {
  auto rest = stream_.subspan(pos_, std::min<size_t>(stream_.size() - pos_, kHeaderSize));
  if (std::any_of(rest.begin(), rest.end(), [](uint8_t b) { return b != 0; })) return false;
  auto all = stream_.subspan(pos_);
  return std::all_of(all.begin(), all.end(), [](uint8_t b) { return b == 0; });
}

bool RecordReader::next(Record& out) {
  if (pos_ == stream_.size() || at_padding()) return false;
  out.data.clear();
  out.boundaries.clear();
  out.continue_offsets.clear();
  bool first = true;
  uint16_t type = 0;
  while (first || (peek_type(type) && type == rt::Continue)) {
    uint64_t header = pos_;
    if (stream_.size() - header < kHeaderSize) throw FormatError(header, "record header cut short by the end of the stream");
    type = le16(stream_, header);
    size_t size = le16(stream_, header + 2);
    if (stream_.size() - header - kHeaderSize < size) {
      throw FormatError(header, "record " + std::to_string(type) + " of " + std::to_string(size) +
                                    " bytes runs past the end of the stream");
    }
    uint64_t payload = header + kHeaderSize;
    size_t start = out.data.size();
    out.data.insert(out.data.end(), stream_.begin() + static_cast<long>(payload),
                    stream_.begin() + static_cast<long>(payload + size));
    if (first) {
      out.type = type;
      out.offset = header;
    } else {
      out.boundaries.push_back(start);
      out.continue_offsets.push_back(header);
    }
    size_t plain = std::min(plain_prefix_size(type), size);
    if (cipher_ && plain < size) {
      cipher_->decrypt(payload + plain, size, std::span(out.data).subspan(start + plain, size - plain));
    }
    pos_ = payload + size;
    first = false;
  }
  return true;
}

}  // namespace tabrel::biff

#include "spreadsheet/xls/write_office_art.h"

namespace tabrel::xls::office_art {
namespace {

constexpr size_t kHeaderSize = 8;

uint32_t get_u32(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
         (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

uint16_t get_u16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

void set_u16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void set_u32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

constexpr uint16_t kGroupProperties = 0x03BF;
constexpr uint32_t kHidden = 0x00000002, kUseHidden = 0x00020000;

uint8_t placement_of(uint16_t flags) { return (flags & 0x2) ? ((flags & 0x1) ? 3 : 2) : 1; }
uint16_t flags_of(uint8_t placement) { return placement == 1 ? 0 : placement == 2 ? 2 : 3; }

void update_anchor(std::vector<uint8_t>& shape, size_t at, const model::Anchor& a) {
  const std::span<const uint8_t> b(shape);
  int fields[8];
  for (int i = 0; i < 8; ++i) fields[i] = get_u16(b, at + 2 + 2 * i);
  const model::Anchor stored{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6], fields[7],
                             placement_of(get_u16(b, at))};
  if (stored == a) return;
  set_u16(shape, at, flags_of(a.placement));
  const int wanted[8] = {a.col1, a.dx1, a.row1, a.dy1, a.col2, a.dx2, a.row2, a.dy2};
  for (int i = 0; i < 8; ++i) set_u16(shape, at + 2 + 2 * i, static_cast<uint16_t>(wanted[i]));
}

void update_hidden(std::vector<uint8_t>& shape, size_t at, uint16_t count, size_t length, bool hidden) {
  for (size_t i = 0; i < count && (i + 1) * 6 <= length; ++i) {
    const size_t property = at + i * 6;
    if ((get_u16(shape, property) & 0x3FFF) != kGroupProperties) continue;
    const uint32_t value = get_u32(shape, property + 2);
    const bool stored = (value & kUseHidden) && (value & kHidden);
    if (stored != hidden) set_u32(shape, property + 2, (value & ~kHidden) | kUseHidden | (hidden ? kHidden : 0));
    return;
  }
}

}  // namespace

void put_u16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void append_header(std::vector<uint8_t>& out, const Header& h) {
  put_u16(out, static_cast<uint16_t>((h.version & 0xF) | (h.instance << 4)));
  put_u16(out, h.type);
  put_u32(out, h.length);
}

void append_record(std::vector<uint8_t>& out, uint8_t version, uint16_t instance, uint16_t type,
                   std::span<const uint8_t> body) {
  append_header(out, {version, instance, type, static_cast<uint32_t>(body.size())});
  out.insert(out.end(), body.begin(), body.end());
}

std::optional<Header> header_at(std::span<const uint8_t> bytes, size_t at) {
  if (at > bytes.size() || bytes.size() - at < kHeaderSize) return std::nullopt;
  const uint16_t vi = static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
  Header h{static_cast<uint8_t>(vi & 0xF), static_cast<uint16_t>(vi >> 4),
           static_cast<uint16_t>(bytes[at + 2] | (bytes[at + 3] << 8)), get_u32(bytes, at + 4)};
  if (h.length > bytes.size() - at - kHeaderSize) return std::nullopt;
  return h;
}

std::vector<std::pair<size_t, Header>> children(std::span<const uint8_t> body) {
  std::vector<std::pair<size_t, Header>> out;
  for (size_t at = 0; at < body.size();) {
    auto h = header_at(body, at);
    if (!h) break;
    out.emplace_back(at, *h);
    at += kHeaderSize + h->length;
  }
  return out;
}

std::optional<size_t> client_data_end(std::span<const uint8_t> shape) {
  auto top = header_at(shape, 0);
  if (!top || top->type != kSpContainer) return std::nullopt;
  const auto body = shape.subspan(kHeaderSize, top->length);
  for (const auto& [at, h] : children(body))
    if (h.type == kClientData) return kHeaderSize + at + kHeaderSize + h.length;
  return std::nullopt;
}

bool set_shape_id(std::vector<uint8_t>& shape, uint32_t shape_id) {
  auto top = header_at(shape, 0);
  if (!top || top->type != kSpContainer) return false;
  for (const auto& [at, h] : children(std::span<const uint8_t>(shape).subspan(kHeaderSize, top->length))) {
    if (h.type != kFsp || h.length < 4) continue;
    set_u32(shape, kHeaderSize + at + kHeaderSize, shape_id);
    return true;
  }
  return false;
}

void update_shape(std::vector<uint8_t>& shape, const model::Anchor& anchor, bool hidden) {
  auto top = header_at(shape, 0);
  if (!top || top->type != kSpContainer) return;
  for (const auto& [at, h] : children(std::span<const uint8_t>(shape).subspan(kHeaderSize, top->length))) {
    const size_t body = kHeaderSize + at + kHeaderSize;
    if (h.type == kClientAnchor && h.length >= 18) update_anchor(shape, body, anchor);
    if (h.type == kFopt) update_hidden(shape, body, h.instance, h.length, hidden);
  }
}

}  // namespace tabrel::xls::office_art

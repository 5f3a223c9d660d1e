#include "spreadsheet/xls/write_office_art.h"

namespace tabrel::xls::office_art {
namespace {

constexpr size_t kHeaderSize = 8;

void put_u16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t get_u32(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
         (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

}  // namespace

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
    const size_t field = kHeaderSize + at + kHeaderSize;
    for (int i = 0; i < 4; ++i) shape[field + i] = static_cast<uint8_t>(shape_id >> (8 * i));
    return true;
  }
  return false;
}

}  // namespace tabrel::xls::office_art

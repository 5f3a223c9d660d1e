#pragma once
// OfficeArt records as the drawing layer of a workbook stores them: headers, containers, and
// the few walks the writer needs over shapes kept from a read file.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xls::office_art {

inline constexpr uint16_t kDggContainer = 0xF000, kDgContainer = 0xF002, kSpgrContainer = 0xF003,
                          kSpContainer = 0xF004, kFdgg = 0xF006, kFdg = 0xF008, kFspgr = 0xF009,
                          kFsp = 0xF00A, kFopt = 0xF00B, kClientTextbox = 0xF00D,
                          kClientAnchor = 0xF010, kClientData = 0xF011, kSplitMenuColors = 0xF11E;
inline constexpr uint8_t kContainerVersion = 0xF;

struct Header {
  uint8_t version = 0;
  uint16_t instance = 0;
  uint16_t type = 0;
  uint32_t length = 0;
};

// Little-endian integers appended to record bodies.
void put_u16(std::vector<uint8_t>& out, uint16_t v);
void put_u32(std::vector<uint8_t>& out, uint32_t v);

// Appends a record header, or a whole record with its body.
void append_header(std::vector<uint8_t>& out, const Header& h);
void append_record(std::vector<uint8_t>& out, uint8_t version, uint16_t instance, uint16_t type,
                   std::span<const uint8_t> body);

// The header at `at` when it lies wholly inside `bytes` and its body does too.
std::optional<Header> header_at(std::span<const uint8_t> bytes, size_t at);

// For a shape container kept from a file: the offset just past its client-data record (where
// the OBJ record goes), or nullopt when the bytes are no well-formed shape container.
std::optional<size_t> client_data_end(std::span<const uint8_t> shape);

// Overwrites the shape id of the shape container's FSP record; false when it has none.
bool set_shape_id(std::vector<uint8_t>& shape, uint32_t shape_id);

// Brings a kept shape container in line with its object as the workbook now has it: the
// client anchor (rewritten only where it reads differently, so unknown flag bits stay) and the
// hidden flag of the group properties (where the shape stores them).
void update_shape(std::vector<uint8_t>& shape, const model::Anchor& anchor, bool hidden);

// The top-level records of a container's body, as (offset, header) pairs; stops at the first
// record that does not fit.
std::vector<std::pair<size_t, Header>> children(std::span<const uint8_t> body);

}  // namespace tabrel::xls::office_art

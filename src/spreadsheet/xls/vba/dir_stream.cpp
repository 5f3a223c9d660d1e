#include "spreadsheet/xls/vba/dir_stream.h"

#include <string>

#include "spreadsheet/xls/vba/byte_reader.h"
#include "spreadsheet/xls/vba/project_text.h"

namespace tabrel::xls::vba {
namespace {

// Record ids of the dir stream.
namespace id {
constexpr uint16_t kSysKind = 0x0001;
constexpr uint16_t kLcid = 0x0002;
constexpr uint16_t kCodePage = 0x0003;
constexpr uint16_t kName = 0x0004;
constexpr uint16_t kDocString = 0x0005;
constexpr uint16_t kHelpFile = 0x0006;
constexpr uint16_t kHelpContext = 0x0007;
constexpr uint16_t kLibFlags = 0x0008;
constexpr uint16_t kVersion = 0x0009;
constexpr uint16_t kConstants = 0x000C;
constexpr uint16_t kReferenceRegistered = 0x000D;
constexpr uint16_t kReferenceProject = 0x000E;
constexpr uint16_t kModules = 0x000F;
constexpr uint16_t kEnd = 0x0010;
constexpr uint16_t kCookie = 0x0013;
constexpr uint16_t kLcidInvoke = 0x0014;
constexpr uint16_t kReferenceName = 0x0016;
constexpr uint16_t kModuleName = 0x0019;
constexpr uint16_t kModuleStreamName = 0x001A;
constexpr uint16_t kModuleDocString = 0x001C;
constexpr uint16_t kModuleHelpContext = 0x001E;
constexpr uint16_t kModuleProcedural = 0x0021;
constexpr uint16_t kModuleOther = 0x0022;
constexpr uint16_t kModuleCookie = 0x002C;
constexpr uint16_t kModuleEnd = 0x002B;
constexpr uint16_t kReferenceControl = 0x002F;
constexpr uint16_t kReferenceControlExtended = 0x0030;
constexpr uint16_t kModuleOffset = 0x0031;
constexpr uint16_t kModuleStreamNameUnicode = 0x0032;
constexpr uint16_t kReferenceOriginal = 0x0033;
constexpr uint16_t kConstantsUnicode = 0x003C;
constexpr uint16_t kHelpFile2 = 0x003D;
constexpr uint16_t kReferenceNameUnicode = 0x003E;
constexpr uint16_t kDocStringUnicode = 0x0040;
constexpr uint16_t kModuleNameUnicode = 0x0047;
constexpr uint16_t kModuleDocStringUnicode = 0x0048;
}  // namespace id

std::string hex(uint16_t v) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s = "0x";
  for (int shift = 12; shift >= 0; shift -= 4) s += digits[(v >> shift) & 0xF];
  return s;
}

bool starts_reference(uint16_t record) {
  return record == id::kReferenceName || record == id::kReferenceOriginal || record == id::kReferenceControl ||
         record == id::kReferenceRegistered || record == id::kReferenceProject;
}

// A length-prefixed field: a 32-bit size and that many bytes.
std::span<const uint8_t> sized(ByteReader& r) { return r.bytes(r.u32()); }

void skip_libid_tail(ByteReader& r) {  // a libid and the six reserved bytes after it
  sized(r);
  r.skip(6);
}

void skip_reference_name(ByteReader& r) {
  sized(r);
  if (!r.at_end() && r.peek_u16() == id::kReferenceNameUnicode) {
    r.u16();
    sized(r);
  }
}

// The sizes at the head of some reference records are not to be trusted; their parts are read
// one by one instead.
void skip_reference_record(ByteReader& r) {
  const size_t at = r.position();
  const uint16_t record = r.u16();
  switch (record) {
    case id::kReferenceName: skip_reference_name(r); return;
    case id::kReferenceOriginal: sized(r); return;
    case id::kReferenceControl:
      r.u32();
      skip_libid_tail(r);
      if (r.peek_u16() == id::kReferenceName) {
        r.u16();
        skip_reference_name(r);
      }
      if (r.u16() != id::kReferenceControlExtended) throw ProjectError(r.position() - 2, "control reference lacks its extended part");
      r.u32();
      skip_libid_tail(r);
      r.skip(16 + 4);  // the original type library's id and a cookie
      return;
    case id::kReferenceRegistered:
      r.u32();
      skip_libid_tail(r);
      return;
    case id::kReferenceProject:
      r.u32();
      sized(r);
      sized(r);
      r.skip(6);  // major and minor version
      return;
    default: throw ProjectError(at, "unknown reference record " + hex(record));
  }
}

void read_information(ByteReader& r, DirInfo& info) {
  bool have_codepage = false;
  while (!starts_reference(r.peek_u16()) && r.peek_u16() != id::kModules) {
    const size_t at = r.position();
    const uint16_t record = r.u16();
    if (record == id::kVersion) {  // its size field says 4, yet six bytes follow
      r.skip(4 + 6);
      continue;
    }
    const auto data = sized(r);
    if (record == id::kCodePage) {
      if (data.size() != 2) throw ProjectError(at, "code page record of a wrong size");
      info.codepage = static_cast<uint16_t>(data[0] | (data[1] << 8));
      have_codepage = true;
    } else if (record == id::kName) {
      if (!have_codepage) throw ProjectError(at, "project name before the code page");
      info.project_name = decode_text(data, info.codepage, at);
    }
  }
  if (!have_codepage) throw ProjectError(r.position(), "dir stream names no code page");
}

DirModule read_module(ByteReader& r, uint16_t codepage) {
  DirModule m;
  std::u16string unicode_name, unicode_stream;
  bool have_offset = false;
  for (;;) {
    const size_t at = r.position();
    const uint16_t record = r.u16();
    const auto data = sized(r);
    switch (record) {
      case id::kModuleEnd: break;
      case id::kModuleName: m.name = decode_text(data, codepage, at); continue;
      case id::kModuleNameUnicode: unicode_name = decode_utf16(data); continue;
      case id::kModuleStreamName: m.stream_name = decode_text(data, codepage, at); continue;
      case id::kModuleStreamNameUnicode: unicode_stream = decode_utf16(data); continue;
      case id::kModuleOffset:
        if (data.size() != 4) throw ProjectError(at, "module offset record of a wrong size");
        m.source_offset = static_cast<uint32_t>(data[0] | (data[1] << 8) | (data[2] << 16)) |
                          (static_cast<uint32_t>(data[3]) << 24);
        have_offset = true;
        continue;
      case id::kModuleProcedural: m.procedural = true; continue;
      case id::kModuleOther: m.procedural = false; continue;
      default: continue;  // doc string, help context, cookie, read-only and private marks
    }
    break;
  }
  if (!unicode_name.empty()) m.name = std::move(unicode_name);
  if (!unicode_stream.empty()) m.stream_name = std::move(unicode_stream);
  if (m.name.empty()) throw ProjectError(r.position(), "module without a name");
  if (m.stream_name.empty()) throw ProjectError(r.position(), "module without a stream name");
  if (!have_offset) throw ProjectError(r.position(), "module without a source offset");
  return m;
}

void put_u16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
  put_u16(out, static_cast<uint16_t>(v));
  put_u16(out, static_cast<uint16_t>(v >> 16));
}

void put_record(std::vector<uint8_t>& out, uint16_t record, std::span<const uint8_t> data) {
  put_u16(out, record);
  put_u32(out, static_cast<uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
}

void put_u32_record(std::vector<uint8_t>& out, uint16_t record, uint32_t v) {
  put_u16(out, record);
  put_u32(out, 4);
  put_u32(out, v);
}

void put_u16_record(std::vector<uint8_t>& out, uint16_t record, uint16_t v) {
  put_u16(out, record);
  put_u32(out, 2);
  put_u16(out, v);
}

void put_empty(std::vector<uint8_t>& out, uint16_t record) { put_record(out, record, {}); }

constexpr uint32_t kWin32 = 1;
constexpr uint32_t kEnglishUs = 0x0409;

}  // namespace

DirInfo parse_dir_stream(std::span<const uint8_t> bytes) {
  ByteReader r(bytes);
  DirInfo info;
  read_information(r, info);
  const size_t references_start = r.position();
  while (r.peek_u16() != id::kModules) skip_reference_record(r);
  info.references.assign(bytes.begin() + static_cast<ptrdiff_t>(references_start),
                         bytes.begin() + static_cast<ptrdiff_t>(r.position()));
  r.u16();
  if (r.u32() != 2) throw ProjectError(r.position() - 4, "module count record of a wrong size");
  const uint16_t count = r.u16();
  if (r.u16() != id::kCookie) throw ProjectError(r.position() - 2, "project cookie record missing");
  sized(r);
  for (uint16_t i = 0; i < count; ++i) info.modules.push_back(read_module(r, info.codepage));
  return info;
}

std::vector<uint8_t> build_dir_stream(const DirInfo& info) {
  std::vector<uint8_t> out;
  put_u32_record(out, id::kSysKind, kWin32);
  put_u32_record(out, id::kLcid, kEnglishUs);
  put_u32_record(out, id::kLcidInvoke, kEnglishUs);
  put_u16_record(out, id::kCodePage, info.codepage);
  put_record(out, id::kName, encode_text(info.project_name, info.codepage));
  put_empty(out, id::kDocString);
  put_empty(out, id::kDocStringUnicode);
  put_empty(out, id::kHelpFile);
  put_empty(out, id::kHelpFile2);
  put_u32_record(out, id::kHelpContext, 0);
  put_u32_record(out, id::kLibFlags, 0);
  put_u16(out, id::kVersion);
  put_u32(out, 4);
  put_u32(out, 1);  // major
  put_u16(out, 0);  // minor
  put_empty(out, id::kConstants);
  put_empty(out, id::kConstantsUnicode);
  out.insert(out.end(), info.references.begin(), info.references.end());
  put_u16_record(out, id::kModules, static_cast<uint16_t>(info.modules.size()));
  put_u16_record(out, id::kCookie, 0xFFFF);
  for (const DirModule& m : info.modules) {
    put_record(out, id::kModuleName, encode_text(m.name, info.codepage));
    put_record(out, id::kModuleNameUnicode, encode_utf16(m.name));
    put_record(out, id::kModuleStreamName, encode_text(m.stream_name, info.codepage));
    put_record(out, id::kModuleStreamNameUnicode, encode_utf16(m.stream_name));
    put_empty(out, id::kModuleDocString);
    put_empty(out, id::kModuleDocStringUnicode);
    put_u32_record(out, id::kModuleOffset, m.source_offset);
    put_u32_record(out, id::kModuleHelpContext, 0);
    put_u16_record(out, id::kModuleCookie, 0xFFFF);
    put_empty(out, m.procedural ? id::kModuleProcedural : id::kModuleOther);
    put_empty(out, id::kModuleEnd);
  }
  put_empty(out, id::kEnd);
  return out;
}

}  // namespace tabrel::xls::vba

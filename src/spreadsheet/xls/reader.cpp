#include "spreadsheet/xls/reader.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <numeric>
#include <vector>

#include "spreadsheet/biff/format_error.h"
#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/crypto/crypto_error.h"
#include "spreadsheet/xls/read_globals.h"
#include "spreadsheet/xls/read_links.h"
#include "spreadsheet/xls/read_sheet.h"
#include "spreadsheet/xls/vba/project_storage.h"

namespace tabrel::xls {

namespace {

using Kind = OpenError::Kind;

[[noreturn]] void fail(Kind kind) {
  switch (kind) {
    case Kind::NotFound: throw OpenError(kind, u"파일을 찾을 수 없습니다.");
    case Kind::Unreadable: throw OpenError(kind, u"파일을 읽을 수 없습니다. 다른 프로그램이 사용 중인지 확인하십시오.");
    case Kind::NoPermission: throw OpenError(kind, u"파일을 읽을 권한이 없습니다. 파일의 읽기 권한을 확인하십시오.");
    case Kind::NotCompoundFile: throw OpenError(kind, u"Excel 97-2003 통합 문서(*.xls) 형식의 파일이 아닙니다.");
    case Kind::NoWorkbookStream: throw OpenError(kind, u"파일에 통합 문서가 들어 있지 않습니다.");
    case Kind::OldBiffVersion:
      throw OpenError(kind, u"Excel 5.0/95 이하 버전의 통합 문서는 열 수 없습니다. Excel 97-2003 형식으로 저장하십시오.");
    case Kind::PasswordRequired: throw OpenError(kind, u"암호로 보호된 통합 문서입니다. 열려면 암호가 필요합니다.");
    case Kind::WrongPassword: throw OpenError(kind, u"암호가 올바르지 않습니다.");
    case Kind::Corrupt: break;
  }
  throw OpenError(Kind::Corrupt, u"파일이 손상되어 열 수 없습니다.");
}

// Workbooks of BIFF2 to BIFF4 are a bare record stream, not a compound file: the file starts
// with their BOF record.
bool starts_with_old_bof(std::span<const uint8_t> bytes) {
  if (bytes.size() < 4) return false;
  const uint16_t id = static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
  return id == 0x0009 || id == 0x0209 || id == 0x0409 || id == 0x0809;
}

cfb::CompoundFile open_container(std::span<const uint8_t> bytes) {
  try {
    return cfb::CompoundFile::open_view(bytes);
  } catch (const cfb::Error& e) {
    const bool foreign = e.code() == cfb::ErrorCode::BadSignature || e.code() == cfb::ErrorCode::TruncatedHeader;
    if (foreign && starts_with_old_bof(bytes)) fail(Kind::OldBiffVersion);
    fail(foreign ? Kind::NotCompoundFile : Kind::Corrupt);
  }
}

bool is_top_stream(const cfb::Entry& e, std::u16string_view name) {
  return e.type == cfb::EntryType::Stream && equals_ignore_case(e.path, name);
}

// What the kept streams may hold together, as a multiple of the file's size. Every sector
// belongs to one stream, so a sound file stays below one; more means that entries share
// sectors, and writing the workbook back would multiply them.
constexpr uint64_t kKeptBytesPerFileByte = 2;

// The other streams and storages of the file, kept for the macro project, pivot caches and
// document properties. A stream that cannot be read is left out rather than failing the open.
void keep_other_streams(const cfb::CompoundFile& file, const std::vector<cfb::Entry>& entries,
                        const std::u16string& workbook_path, uint64_t file_size, model::Workbook& book) {
  std::vector<std::u16string> stream_paths;
  uint64_t declared = 0;
  for (const auto& e : entries)
    if (e.type == cfb::EntryType::Stream && e.path != workbook_path && e.size <= file_size) {
      stream_paths.push_back(e.path);
      declared += e.size;
    }
  if (declared > kKeptBytesPerFileByte * file_size)
    throw OpenError(Kind::Corrupt, u"파일이 손상되어 열 수 없습니다. 여러 스트림이 같은 데이터를 가리킵니다.");
  const std::vector<cfb::CompoundFile::SharedBytes> streams = file.read_streams(stream_paths);
  size_t next_stream = 0;
  for (const auto& e : entries) {
    if (e.type == cfb::EntryType::Storage) {
      book.extra_streams.push_back(model::ExtraStream::storage(e.path));
    } else if (next_stream < stream_paths.size() && stream_paths[next_stream] == e.path) {
      if (streams[next_stream] != nullptr) book.extra_streams.push_back({e.path, streams[next_stream], false});
      ++next_stream;
    }
  }
}

// Sheets in stream order; each must start at or after the end of the one before, so no byte
// is read twice.
void read_sheets(biff::RecordReader& reader, const Globals& globals, model::Workbook& book) {
  std::vector<size_t> order(globals.sheet_offsets.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return globals.sheet_offsets[a] < globals.sheet_offsets[b]; });
  uint64_t end_of_previous = reader.position();
  for (size_t i : order) {
    const uint64_t offset = globals.sheet_offsets[i];
    if (offset < end_of_previous) throw biff::FormatError(offset, "sheet substreams overlap");
    reader.seek(offset);
    read_sheet_substream(reader, *book.sheets[i], globals.shared_strings);
    end_of_previous = reader.position();
  }
}

std::unique_ptr<model::Workbook> read_stream(std::span<const uint8_t> stream,
                                             const std::optional<std::u16string>& password) {
  auto book = std::make_unique<model::Workbook>();
  biff::RecordReader reader(stream);
  Globals globals = read_globals(reader, *book, password);
  read_sheets(reader, globals, *book);
  link_workbook_parts(*book);
  reader.set_cipher(nullptr);
  return book;
}

// Only the typed errors of the file's layers mean a bad file; any other exception is a fault of
// the reader itself and goes up as it is, so that tests and fuzzing see it instead of a "corrupt
// file" message.
std::unique_ptr<model::Workbook> read_file_bytes(std::span<const uint8_t> bytes, const std::optional<std::u16string>& password) {
  const cfb::CompoundFile file = open_container(bytes);
  try {
    const std::vector<cfb::Entry> entries = file.entries();
    std::optional<cfb::Entry> workbook;
    bool old_book = false;
    for (const auto& e : entries) {
      if (is_top_stream(e, u"Workbook")) workbook = e;
      if (is_top_stream(e, u"Book")) old_book = true;
    }
    if (!workbook) fail(old_book ? Kind::OldBiffVersion : Kind::NoWorkbookStream);
    const std::vector<uint8_t> stream = file.read_stream(workbook->path);
    auto book = read_stream(stream, password);
    keep_other_streams(file, entries, workbook->path, bytes.size(), *book);
    vba::read_macro_project(*book);
    return book;
  } catch (const OldVersionError&) {
    fail(Kind::OldBiffVersion);
  } catch (const crypto::CryptoError& e) {
    if (e.kind() == crypto::CryptoErrorKind::Unsupported)
      throw OpenError(Kind::Corrupt, u"지원하지 않는 방식으로 암호화된 통합 문서입니다.");
    if (e.kind() != crypto::CryptoErrorKind::WrongPassword) fail(Kind::Corrupt);
    fail(password ? Kind::WrongPassword : Kind::PasswordRequired);
  } catch (const cfb::Error&) {
    fail(Kind::Corrupt);
  } catch (const biff::FormatError&) {
    fail(Kind::Corrupt);
  }
}

}  // namespace

OpenError::OpenError(Kind k, std::u16string msg)
    : std::runtime_error(to_utf8(msg)), kind(k), message(std::move(msg)) {}

std::unique_ptr<model::Workbook> read_workbook(std::span<const uint8_t> bytes,
                                               const std::optional<std::u16string>& password) {
  return read_file_bytes(bytes, password);
}

std::unique_ptr<model::Workbook> read_workbook_file(const std::filesystem::path& path,
                                                    const std::optional<std::u16string>& password) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) fail(Kind::NotFound);
  if (!std::filesystem::is_regular_file(path, ec)) fail(Kind::Unreadable);
  std::vector<uint8_t> bytes;
  {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(errno == EACCES || errno == EPERM ? Kind::NoPermission : Kind::Unreadable);
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    if (size < 0) fail(Kind::Unreadable);
    bytes.resize(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
      fail(Kind::Unreadable);
  }
  return read_file_bytes(bytes, password);
}

}  // namespace tabrel::xls

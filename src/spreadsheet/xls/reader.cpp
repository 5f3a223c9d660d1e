#include "spreadsheet/xls/reader.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "spreadsheet/core/text.h"

namespace tabrel::xls {

OpenError::OpenError(Kind k, std::u16string msg)
    : std::runtime_error(to_utf8(msg)), kind(k), message(std::move(msg)) {}

std::unique_ptr<model::Workbook> read_workbook(std::span<const uint8_t>,
                                               const std::optional<std::u16string>&) {
  throw OpenError(OpenError::Kind::Corrupt, u"파일을 읽을 수 없습니다.");
}

std::unique_ptr<model::Workbook> read_workbook_file(const std::filesystem::path& path,
                                                    const std::optional<std::u16string>& password) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec))
    throw OpenError(OpenError::Kind::NotFound, u"파일을 찾을 수 없습니다.");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw OpenError(OpenError::Kind::Unreadable, u"파일을 열 수 없습니다.");
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return read_workbook(bytes, password);
}

}  // namespace tabrel::xls

#include "spreadsheet/xls/writer.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/cfb/compound_writer.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/crypto/record_cipher.h"
#include "spreadsheet/xls/write_drawing.h"
#include "spreadsheet/xls/write_globals.h"
#include "spreadsheet/xls/write_names.h"
#include "spreadsheet/xls/write_sheet.h"
#include "spreadsheet/xls/write_styles.h"
#include "spreadsheet/xls/vba/project_storage.h"

namespace tabrel::xls {
namespace {

constexpr uint16_t kBofGlobals = 0x0005;
constexpr size_t kMaxCellText = 32767;
constexpr size_t kMinStreamSize = 4096;  // the compound file's mini-stream cut-off

bool in_sheet(model::CellRef c) {
  return c.row >= 0 && c.row < model::kMaxRows && c.col >= 0 && c.col < model::kMaxColumns;
}

void check_limits(const model::Workbook& wb) {
  auto fail = [](const model::Sheet& s, const std::string& what) {
    throw std::invalid_argument(to_utf8(s.name) + ": " + what);
  };
  if (wb.sheets.empty()) throw std::invalid_argument("a workbook needs at least one sheet");
  for (const auto& sheet : wb.sheets) {
    for (const auto& [key, cell] : sheet->cells) {
      const model::CellRef at = model::CellStore::position(key);
      if (!in_sheet(at)) fail(*sheet, "cell past the last row");
      if (cell.value.is_text() && cell.value.as_text().size() > kMaxCellText)
        fail(*sheet, "text longer than a cell holds at " + to_utf8(model::a1_address(at)));
    }
    for (const auto& [row, info] : sheet->rows)
      if (row < 0 || row >= model::kMaxRows) fail(*sheet, "row past the last row");
    for (const model::ColumnInfo& c : sheet->columns)
      if (c.first < 0 || c.first > c.last || c.first >= model::kMaxColumns) fail(*sheet, "column past the last column");
    for (const model::RangeRef& r : sheet->merges)
      if (!in_sheet(r.first) || !in_sheet(r.last)) fail(*sheet, "merged range outside the sheet");
  }
}

void random_bytes(std::span<uint8_t> out) {
  std::random_device device;
  for (uint8_t& b : out) b = static_cast<uint8_t>(device());
}

std::vector<uint8_t> workbook_stream(const model::Workbook& wb, const WriteOptions& options) {
  const model::Styles styles = completed_styles(wb.styles);
  const SharedStringTable strings(wb);
  const DrawingPlan drawings = plan_drawings(wb);

  biff::RecordWriter out;
  write_bof(out, kBofGlobals);
  crypto::NewEncryption encryption;
  if (options.password) {
    encryption = crypto::create_rc4_encryption(*options.password, random_bytes);
    out.write(biff::rt::FilePass, encryption.filepass_payload);
    out.set_cipher(encryption.cipher.get());
  }
  const LinkTable links = link_table(wb);
  const std::vector<uint64_t> positions = write_globals(out, {wb, styles, strings, links, drawings.group});
  const size_t active = std::min<size_t>(wb.view.active_sheet, wb.sheets.size() - 1);
  for (size_t i = 0; i < wb.sheets.size(); ++i) {
    out.patch_u32(positions[i], static_cast<uint32_t>(out.position()));
    write_sheet(out, *wb.sheets[i], {strings, styles.xfs.size(), drawings.sheets[i], i == active, links.macro_tokens[i]});
  }
  // The spreadsheet expects the workbook stream in full-size sectors: a short one is padded.
  std::vector<uint8_t> stream = out.data();
  if (stream.size() < kMinStreamSize) stream.resize(kMinStreamSize, 0);
  return stream;
}

}  // namespace

std::vector<uint8_t> write_workbook(const model::Workbook& wb, const WriteOptions& options) {
  check_limits(wb);
  cfb::CompoundWriter file;
  file.add_stream(u"Workbook", workbook_stream(wb, options));
  // A readable macro project is written from its modules; the kept streams hold the rest.
  std::vector<model::ExtraStream> project;
  if (wb.macro_project && wb.macro_project->readable) project = vba::project_streams(*wb.macro_project);
  for (const model::ExtraStream& s : project) file.add_shared_stream(s.path, s.shared);
  for (const model::ExtraStream& s : wb.extra_streams) {
    const bool replaced = std::any_of(project.begin(), project.end(),
                                      [&](const model::ExtraStream& p) { return equals_ignore_case(p.path, s.path); });
    if (replaced) continue;
    if (s.is_storage)
      file.add_storage(s.path);
    else
      file.add_shared_stream(s.path, s.shared);
  }
  return file.finish();
}

void write_workbook_file(const model::Workbook& wb, const std::filesystem::path& path, const WriteOptions& options) {
  const std::vector<uint8_t> bytes = write_workbook(wb, options);
  std::filesystem::path partial = path;
  partial += ".partial";
  {
    std::ofstream f(partial, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + partial.string());
  }
  std::error_code error;
  std::filesystem::rename(partial, path, error);
  if (error) {
    std::filesystem::remove(partial, error);
    throw std::runtime_error("cannot replace " + path.string());
  }
}

}  // namespace tabrel::xls

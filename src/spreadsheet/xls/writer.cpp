#include "spreadsheet/xls/writer.h"

#include <fstream>
#include <random>
#include <stdexcept>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/cfb/compound_writer.h"
#include "spreadsheet/crypto/record_cipher.h"
#include "spreadsheet/xls/write_drawing.h"
#include "spreadsheet/xls/write_globals.h"
#include "spreadsheet/xls/write_sheet.h"
#include "spreadsheet/xls/write_styles.h"

namespace tabrel::xls {
namespace {

constexpr uint16_t kBofGlobals = 0x0005;

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
  const std::vector<uint64_t> positions = write_globals(out, {wb, styles, strings, drawings.group});
  for (size_t i = 0; i < wb.sheets.size(); ++i) {
    out.patch_u32(positions[i], static_cast<uint32_t>(out.position()));
    write_sheet(out, *wb.sheets[i], {strings, styles.xfs.size(), drawings.sheets[i]});
  }
  return out.data();
}

}  // namespace

std::vector<uint8_t> write_workbook(const model::Workbook& wb, const WriteOptions& options) {
  cfb::CompoundWriter file;
  file.add_stream(u"Workbook", workbook_stream(wb, options));
  for (const model::ExtraStream& s : wb.extra_streams) {
    if (s.is_storage)
      file.add_storage(s.path);
    else
      file.add_stream(s.path, s.bytes);
  }
  return file.finish();
}

void write_workbook_file(const model::Workbook& wb, const std::filesystem::path& path, const WriteOptions& options) {
  const std::vector<uint8_t> bytes = write_workbook(wb, options);
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw std::runtime_error("cannot create " + path.string());
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace tabrel::xls

#include "corpus_files.h"

#include "spreadsheet/xls/reader.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace tabrel::corpus {

namespace {

std::string read_plain(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string read_gzip(const std::filesystem::path& p) {
  gzFile f = gzopen(p.string().c_str(), "rb");
  if (!f) return {};
  std::string out;
  char buf[1 << 16];
  int n;
  while ((n = gzread(f, buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
  gzclose(f);
  return out;
}

}  // namespace

std::optional<std::filesystem::path> corpus_dir() {
  std::filesystem::path p = std::filesystem::path(TABREL_SHARED_DIR) / "corpus";
  std::error_code ec;
  if (!std::filesystem::is_directory(p / "excel", ec)) return std::nullopt;
  return p;
}

std::vector<std::filesystem::path> files_in(const std::string& folder) {
  std::vector<std::filesystem::path> out;
  const auto dir = corpus_dir();
  if (!dir) return out;
  for (const auto& e : std::filesystem::directory_iterator(*dir / folder))
    if (e.is_regular_file()) out.push_back(e.path());
  std::sort(out.begin(), out.end());
  return out;
}

std::unique_ptr<model::Workbook> open_workbook(const std::filesystem::path& file) {
  try {
    return xls::read_workbook_file(file);
  } catch (const std::exception&) {
    return nullptr;
  }
}

std::optional<std::string> password_of(const std::string& file_name) {
  static const std::map<std::string, std::string> passwords{
      {"msoffcrypto-rc4cryptoapi_password.xls", "Password1234_"},
      {"msoffcrypto-xor_password_123456789012345.xls", "123456789012345"},
      {"oletools-autostart-encrypt-standardpassword.xls", "VelvetSweatshop"},
      {"oletools-dde-test-encrypt-standardpassword.xls", "VelvetSweatshop"},
      {"poi-35897-type4.xls", "freedom"},
      {"poi-50833.xls", "VelvetSweatshop"},
      {"poi-password.xls", "password"},
      {"poi-xor-encryption-abc.xls", "abc"},
      {"sheetjs-password_2002_128_enhanced.xls", "password"},
      {"sheetjs-password_2002_128_enhdss.xls", "password"},
      {"sheetjs-password_2002_128_enhrsa.xls", "password"},
      {"sheetjs-password_2002_128_enhrsasc.xls", "password"},
      {"sheetjs-password_2002_128_strong.xls", "password"},
      {"sheetjs-password_2002_40_basecrypto.xls", "password"},
      {"sheetjs-password_2002_40_dhsc.xls", "password"},
      {"sheetjs-password_2002_40_dss.xls", "password"},
      {"sheetjs-password_2002_40_xor.xls", "password"},
  };
  auto it = passwords.find(file_name);
  if (it == passwords.end()) return std::nullopt;
  return it->second;
}

std::optional<json::Value> expected_dump(const std::string& file_name) {
  const auto dir = corpus_dir();
  if (!dir) return std::nullopt;
  const auto plain = *dir / "expected" / (file_name + ".xlrd.json");
  const auto packed = *dir / "expected" / (file_name + ".xlrd.json.gz");
  std::error_code ec;
  if (std::filesystem::exists(plain, ec)) return json::parse(read_plain(plain));
  if (std::filesystem::exists(packed, ec)) return json::parse(read_gzip(packed));
  return std::nullopt;
}

}  // namespace tabrel::corpus

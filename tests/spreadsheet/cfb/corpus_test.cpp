// The compound-file layer on real files: everything Excel saved opens and reads, and damaged
// files end in the error recorded here, never in a crash.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "corpus/corpus_required.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/cfb/compound_writer.h"

namespace tabrel::cfb {
namespace {

namespace fs = std::filesystem;

fs::path corpus_dir(const std::string& folder) { return fs::path(TABREL_SHARED_DIR) / "corpus" / folder; }

std::vector<uint8_t> read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> xls_files(const std::string& folder) {
  std::vector<fs::path> files;
  for (const auto& item : fs::directory_iterator(corpus_dir(folder)))
    if (item.path().extension() == ".xls") files.push_back(item.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Copies every storage and stream through the writer.
std::vector<uint8_t> rewrite(const CompoundFile& file) {
  CompoundWriter writer;
  for (const Entry& entry : file.entries()) {
    if (entry.type == EntryType::Storage)
      writer.add_storage(entry.path);
    else
      writer.add_stream(entry.path, file.read_stream(entry.path));
  }
  return writer.finish();
}

TEST(CorpusFiles, SavedWorkbooksOpenReadAndRewrite) {
  for (const std::string folder : {"excel", "encrypted", "unsupported"}) {
    TABREL_REQUIRE_CORPUS(fs::is_directory(corpus_dir(folder)), corpus_dir(folder));
    for (const fs::path& path : xls_files(folder)) {
      SCOPED_TRACE(path.filename().string());
      const CompoundFile file = CompoundFile::open(read_file(path));
      const std::u16string workbook = folder == "unsupported" ? u"Book" : u"Workbook";
      ASSERT_TRUE(file.exists(workbook));
      EXPECT_EQ(file.read_stream(workbook).size(), file.find(workbook)->size);

      const CompoundFile copy = CompoundFile::open(rewrite(file), Mode::Strict);
      ASSERT_EQ(copy.entries(), file.entries());
      for (const Entry& entry : file.entries())
        if (entry.type == EntryType::Stream) {
          EXPECT_EQ(copy.read_stream(entry.path), file.read_stream(entry.path));
        }
    }
  }
}

struct Outcome {
  std::string file;
  std::optional<ErrorCode> on_open;      // the permissive open fails
  std::optional<ErrorCode> on_workbook;  // or reading the "Workbook" stream fails
};

TEST(CorpusFiles, MalformedFilesFailAsRecorded) {
  TABREL_REQUIRE_CORPUS(fs::is_directory(corpus_dir("malformed")), corpus_dir("malformed"));
  const std::vector<Outcome> outcomes = {
      {"libxls-xls2csv_ole_ole2_fread_327.xls", ErrorCode::BadHeader, {}},
      {"libxls-xls2csv_ole_read_MSAT_772.xls", ErrorCode::BadHeader, {}},
      {"libxls-xls2csv_ole_read_MSAT_body_687.xls", ErrorCode::BadHeader, {}},
      {"poi-clusterfuzz-4651309315719168.xls", {}, {}},
      {"poi-clusterfuzz-4657005060816896.xls", {}, {}},
      {"poi-clusterfuzz-4819588401201152.xls", {}, ErrorCode::BadSectorId},
      {"poi-clusterfuzz-5175219985448960.xls", {}, ErrorCode::StreamTruncated},
      {"poi-clusterfuzz-5285517825277952.xls", {}, {}},
      {"poi-clusterfuzz-5816431116615680.xls", ErrorCode::DirectoryLoop, {}},
      {"poi-clusterfuzz-6137883240824832.xls", ErrorCode::BadHeader, {}},
      {"poi-clusterfuzz-6483562584932352.xls", {}, ErrorCode::StreamTruncated},
      {"poi-clusterfuzz-6537773940867072.xls", {}, ErrorCode::BadSectorId},
      {"sheetjs-phpexcel_bad_cfb_dir.xls", {}, {}},
      {"xlrd-corrupted_error.xls", {}, {}},
  };
  ASSERT_EQ(xls_files("malformed").size(), outcomes.size());
  for (const Outcome& o : outcomes) {
    SCOPED_TRACE(o.file);
    const std::vector<uint8_t> bytes = read_file(corpus_dir("malformed") / o.file);
    std::optional<CompoundFile> file;
    try {
      file = CompoundFile::open(bytes);
      EXPECT_FALSE(o.on_open.has_value()) << "opened";
    } catch (const Error& e) {
      EXPECT_EQ(o.on_open, e.code()) << e.what();
      continue;
    }
    try {
      file->read_stream(u"Workbook");
      EXPECT_FALSE(o.on_workbook.has_value()) << "read";
    } catch (const Error& e) {
      EXPECT_EQ(o.on_workbook, e.code()) << e.what();
    }
    for (const Entry& entry : file->entries()) {  // errors are fine, crashes are not
      try {
        if (entry.type == EntryType::Stream) file->read_stream(entry.path);
      } catch (const Error&) {
      }
    }
  }
}

// The mini stream of these files has a longer chain than its size; the surplus sectors belong
// to "Workbook". A lenient reader takes what the size needs, strict mode refuses.
TEST(CorpusFiles, OverlongMiniStreamChainIsStrictlyRefused) {
  TABREL_REQUIRE_CORPUS(fs::is_directory(corpus_dir("malformed")), corpus_dir("malformed"));
  for (const char* name : {"sheetjs-phpexcel_bad_cfb_dir.xls", "xlrd-corrupted_error.xls"}) {
    std::vector<uint8_t> bytes = read_file(corpus_dir("malformed") / name);
    bytes.at(24) = 0x3E;  // their minor version is an old one that strict mode refuses first
    try {
      CompoundFile::open(bytes, Mode::Strict);
      ADD_FAILURE() << name << " opened strictly";
    } catch (const Error& e) {
      EXPECT_EQ(e.code(), ErrorCode::ChainTooLong) << e.what();
    }
  }
}

}  // namespace
}  // namespace tabrel::cfb

// Shared string tables of the corpus's workbooks: every table reads, writing it back gives what
// was read, and the bytes written (SST, its CONTINUE cuts and EXTSST) are the file's own.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "corpus/corpus_required.h"
#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/shared_strings.h"
#include "spreadsheet/cfb/compound_file.h"

namespace tabrel::biff {
namespace {

namespace fs = std::filesystem;

// Excel 2000 cut this file's SST records elsewhere inside a phonetic block (it left two bytes of
// a record unused after the block's header); the strings still read back equal.
const std::set<std::string> kOtherCuts = {"poi-15556.xls"};

TEST(CorpusSharedStrings, ReadAndRewriteEveryTable) {
  fs::path folder = fs::path(TABREL_SHARED_DIR) / "corpus" / "excel";
  TABREL_REQUIRE_CORPUS(fs::exists(folder), folder);
  size_t tables = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<uint8_t> stream;
    try {
      stream = cfb::CompoundFile::open(std::move(bytes)).read_stream(u"Workbook");
    } catch (const std::exception&) {
      continue;  // no Workbook stream (the compound-file tests cover these)
    }
    RecordReader reader(stream);
    Record r;
    while (reader.next(r) && r.type != rt::Eof) {
      if (r.type != rt::SST) continue;
      SCOPED_TRACE(entry.path().filename().string());
      ++tables;
      SharedStrings sst = read_shared_strings(r);
      RecordWriter w;
      write_shared_strings(w, sst);
      RecordReader again(w.data());
      Record back;
      ASSERT_TRUE(again.next(back));
      EXPECT_EQ(read_shared_strings(back), sst);
      uint64_t end = reader.position();
      std::vector<uint8_t> original(stream.begin() + static_cast<long>(r.offset), stream.begin() + static_cast<long>(end));
      std::vector<uint8_t> written(w.data().begin(), w.data().begin() + static_cast<long>(again.position()));
      if (kOtherCuts.count(entry.path().filename().string()) == 0) {
        EXPECT_EQ(original, written) << "SST at " << r.offset;
      }
    }
  }
  EXPECT_GT(tables, 80u);
}

}  // namespace
}  // namespace tabrel::biff

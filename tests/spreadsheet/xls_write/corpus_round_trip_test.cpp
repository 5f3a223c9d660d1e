// Files the spreadsheet saved, read, written and read again: the families the writer holds
// come back unchanged.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "corpus/corpus_required.h"
#include "same_workbook.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::xls {
namespace {

namespace fs = std::filesystem;

const fs::path kExcelFolder = fs::path(TABREL_SHARED_DIR) / "corpus" / "excel";

std::vector<std::string> corpus_files() {
  std::vector<std::string> names;
  if (!fs::is_directory(kExcelFolder)) return names;
  for (const auto& e : fs::directory_iterator(kExcelFolder))
    if (e.path().extension() == ".xls") names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class CorpusRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusRoundTrip, SameModelAfterWritingBack) {
  const fs::path path = kExcelFolder / GetParam();
  TABREL_REQUIRE_CORPUS(fs::exists(path), path);
  std::unique_ptr<model::Workbook> original;
  try {
    original = read_workbook_file(path);
  } catch (const OpenError& e) {
    FAIL() << "the reader refuses it: " << e.what();
  }
  const std::vector<uint8_t> bytes = write_workbook(*original);
  const auto again = read_workbook(bytes);
  for (const std::string& d : testing::differences(*original, *again)) ADD_FAILURE() << d;
}

std::string test_name(const ::testing::TestParamInfo<std::string>& info) {
  std::string name;
  for (char c : info.param) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Excel, CorpusRoundTrip, ::testing::ValuesIn(corpus_files()), test_name);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusRoundTrip);

// Without the corpus the cases above are not made at all; say so, and fail under CI.
TEST(CorpusRoundTripFiles, TheCorpusHasFiles) { TABREL_REQUIRE_CORPUS(!corpus_files().empty(), kExcelFolder); }

TEST(CorpusShapes, KeptShapesFollowTheirObjects) {
  const fs::path path = kExcelFolder / "sheetjs-comments_stress_test.xls";
  TABREL_REQUIRE_CORPUS(fs::exists(path), path);
  auto book = read_workbook_file(path);
  model::Sheet& sheet = *book->sheets[0];
  ASSERT_FALSE(sheet.comments.empty());
  model::Comment& comment = sheet.comments[0];
  ASSERT_GE(comment.drawing_index, 0);
  model::DrawingObject& shape = sheet.drawings[comment.drawing_index];
  ASSERT_FALSE(shape.shape_bytes.empty());
  // As the automation layer shows a comment and moves its box.
  comment.visible = !comment.visible;
  shape.hidden = !comment.visible;
  shape.anchor.col1 += 2;
  shape.anchor.col2 += 2;
  shape.anchor.dy1 = 77;
  comment.text.text = u"채점자:\n새 설명";  // edited: the stored text box is out of date
  comment.text.runs = {{0, 0}};
  const auto again = read_workbook(write_workbook(*book));
  const model::Sheet& back = *again->sheets[0];
  EXPECT_EQ(back.comments[0].visible, comment.visible);
  EXPECT_EQ(back.comments[0].text, comment.text);
  const model::DrawingObject& moved = back.drawings[back.comments[0].drawing_index];
  EXPECT_EQ(moved.hidden, shape.hidden);
  EXPECT_EQ(moved.anchor, shape.anchor);
}

TEST(CorpusShapes, ButtonGivenAnotherMacroCallsIt) {
  const fs::path path = kExcelFolder / "poi-StringContinueRecords.xls";
  TABREL_REQUIRE_CORPUS(fs::exists(path), path);
  auto book = read_workbook_file(path);
  model::DrawingObject* button = nullptr;
  for (auto& sheet : book->sheets)
    for (auto& d : sheet->drawings)
      if (d.object_type == 7 && !d.macro.empty()) button = &d;
  ASSERT_NE(button, nullptr);
  // A new macro text without a formula: the writer makes the call (the name exists already).
  button->macro = u"Test_Pack";
  button->macro_tokens.clear();
  const size_t names = book->names.size();
  const auto again = read_workbook(write_workbook(*book));
  bool found = false;
  for (auto& sheet : again->sheets)
    for (auto& d : sheet->drawings)
      if (d.object_type == 7 && d.object_id == button->object_id) found = d.macro == u"Test_Pack";
  EXPECT_TRUE(found);
  EXPECT_EQ(again->names.size(), names);
}

// Encrypted files (RC4, CryptoAPI and XOR schemes) come back encrypted with RC4 under the same
// password; the spreadsheet's default password opens them without asking.
struct EncryptedFile {
  const char* name;
  const char16_t* password;
};

class EncryptedRoundTrip : public ::testing::TestWithParam<EncryptedFile> {};

TEST_P(EncryptedRoundTrip, SameModelUnderTheSamePassword) {
  const fs::path path = fs::path(TABREL_SHARED_DIR) / "corpus" / "encrypted" / GetParam().name;
  TABREL_REQUIRE_CORPUS(fs::exists(path), path);
  const std::u16string password = GetParam().password;
  const auto original = read_workbook_file(path, password);
  const std::vector<uint8_t> bytes = write_workbook(*original, {password});
  const auto again = read_workbook(bytes, password);
  for (const std::string& d : testing::differences(*original, *again)) ADD_FAILURE() << d;
  if (password == u"VelvetSweatshop") {
    EXPECT_NO_THROW(read_workbook(bytes));
  } else {
    EXPECT_THROW(read_workbook(bytes), OpenError);
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, EncryptedRoundTrip,
                         ::testing::Values(EncryptedFile{"poi-password.xls", u"password"},
                                           EncryptedFile{"poi-35897-type4.xls", u"freedom"},
                                           EncryptedFile{"poi-50833.xls", u"VelvetSweatshop"},
                                           EncryptedFile{"poi-xor-encryption-abc.xls", u"abc"},
                                           EncryptedFile{"sheetjs-password_2002_40_xor.xls", u"password"},
                                           EncryptedFile{"sheetjs-password_2002_128_strong.xls", u"password"},
                                           EncryptedFile{"msoffcrypto-xor_password_123456789012345.xls",
                                                         u"123456789012345"}),
                         [](const auto& info) { return test_name({info.param.name, info.index}); });

}  // namespace
}  // namespace tabrel::xls

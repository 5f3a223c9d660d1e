#pragma once
// The shared corpus of real .xls files: its folders, the files in them, the passwords of the
// encrypted ones and the expected dumps of an independent reader.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "json.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::corpus {

// TABREL_SHARED_DIR/corpus; nullopt when the corpus is not there.
std::optional<std::filesystem::path> corpus_dir();
// Regular files of one folder, sorted by name.
std::vector<std::filesystem::path> files_in(const std::string& folder);
// The password the corpus lists for an encrypted file; nullopt for a file it does not list.
std::optional<std::string> password_of(const std::string& file_name);
// The workbook of one corpus file, read without a password; null when the reader refuses it.
std::unique_ptr<model::Workbook> open_workbook(const std::filesystem::path& file);
// expected/NAME.xlrd.json or its gzip-compressed form; nullopt when neither exists.
std::optional<json::Value> expected_dump(const std::string& file_name);

}  // namespace tabrel::corpus

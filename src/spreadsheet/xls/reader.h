#pragma once
// Opening a .xls workbook (BIFF8 in a compound file, possibly encrypted) into the workbook model.
// The file is read once into memory and never written or locked; every malformed input ends in
// an OpenError with a Korean description, never in a crash.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "spreadsheet/model/workbook.h"

namespace tabrel::xls {

struct OpenError : std::runtime_error {
  enum class Kind { NotFound, Unreadable, NoPermission, NotCompoundFile, NoWorkbookStream, OldBiffVersion,
                    PasswordRequired, WrongPassword, Corrupt };
  OpenError(Kind kind, std::u16string message);
  Kind kind;
  std::u16string message;  // a clear Korean description; what() is its UTF-8
};

// Reads a workbook from the bytes of a .xls file. An encrypted workbook opens with `password`,
// else with the spreadsheet's default password; one that needs another password fails with
// PasswordRequired when none was given and WrongPassword when the given one is wrong.
std::unique_ptr<model::Workbook> read_workbook(std::span<const uint8_t> bytes,
    const std::optional<std::u16string>& password = std::nullopt);

// Reads the file at `path` (opened read-only, shared, and closed before parsing).
std::unique_ptr<model::Workbook> read_workbook_file(const std::filesystem::path& path,
    const std::optional<std::u16string>& password = std::nullopt);

}  // namespace tabrel::xls

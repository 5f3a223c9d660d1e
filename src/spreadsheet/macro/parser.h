#pragma once
// Parses one code module into procedures of flat instructions. Parsing is permissive: a
// statement it cannot read, or one the interpreter does not support, becomes an instruction
// that fails when it runs, so the other procedures of the module still run.

#include <string>
#include <string_view>

#include "spreadsheet/macro/ast.h"

namespace tabrel::macro {

// Bounds that keep a hostile source from exhausting the parser.
inline constexpr size_t kMaxSourceUnits = 4 * 1024 * 1024;  // UTF-16 units of one module
inline constexpr int kMaxNesting = 200;                      // nested expressions and blocks

Module parse_module(std::u16string name, std::u16string_view source, bool is_document = false);

}  // namespace tabrel::macro

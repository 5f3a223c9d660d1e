#pragma once
// Errors of the formula module: malformed token streams and malformed formula texts.

#include <cstddef>
#include <stdexcept>
#include <string>

namespace tabrel::formula {

struct FormulaError : std::runtime_error {
  enum class Kind {
    Truncated,        // a token or its extra data runs past the end of its input
    UnknownToken,     // a token id that BIFF8 does not define
    BadStructure,     // operands and operators do not form one expression
    TooDeep,          // nesting beyond the supported depth
    Syntax,           // formula text that does not parse
    UnknownSheet,     // formula text naming a sheet the workbook does not hold
  };
  FormulaError(Kind kind, size_t offset, const std::string& message)
      : std::runtime_error(message + " (at " + std::to_string(offset) + ")"), kind(kind), offset(offset) {}
  Kind kind;
  size_t offset;  // byte offset in the tokens, or character offset in the text
};

// Deepest nesting of operators and calls the decoder, parser and evaluator accept.
inline constexpr int kMaxDepth = 256;

}  // namespace tabrel::formula

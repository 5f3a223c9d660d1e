// Token decoding: any bytes must decode to a tree or give a FormulaError; a decoded tree must
// print in both notations (also as a conditional format's formula) and survive encoding and
// decoding again.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_workbook.h"
#include "spreadsheet/formula/condition_formula.h"
#include "spreadsheet/formula/decode.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/print.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tabrel::formula;
  static auto wb = fuzzing::workbook();
  if (size < 1) return 0;
  // The first byte splits the rest into tokens and extra data.
  std::span<const uint8_t> rest(data + 1, size - 1);
  size_t cut = std::min<size_t>(rest.size(), data[0] * 2u);
  std::span<const uint8_t> tokens = rest.first(rest.size() - cut);
  std::span<const uint8_t> extra = rest.subspan(rest.size() - cut);
  try {
    Node tree = decode(tokens, extra, {3, 2}, (data[0] & 1) != 0);
    print(*wb, {3, 2}, tree, Notation::A1);
    print(*wb, {3, 2}, tree, Notation::R1C1);
    // The same tokens as a conditional format's, shown from the sheet's last cell.
    condition_formula(*wb, 0, tokens, {65535, 255}, Notation::R1C1);
    Encoded again = encode(tree, {3, 2});
    decode(again.tokens, again.extra, {3, 2});
  } catch (const FormulaError&) {
  }
  return 0;
}

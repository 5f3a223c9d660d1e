// Formula text: any text must parse to a tree or give a FormulaError; a parsed tree must print,
// encode and evaluate without crashing.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_workbook.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/engine.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/parse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tabrel::formula;
  if (size > 4096) return 0;
  auto wb = fuzzing::workbook();
  std::u16string text = tabrel::from_utf8(std::string_view(reinterpret_cast<const char*>(data), size));
  Notation notation = size && (data[0] & 1) ? Notation::R1C1 : Notation::A1;
  try {
    Node tree = parse(text, *wb, {2, 1}, notation);
    print(*wb, {2, 1}, tree, Notation::A1);
    print(*wb, {2, 1}, tree, Notation::R1C1);
    Engine engine(*wb, EngineOptions{[] { return 45000.5; }, {}});
    engine.evaluate(tree, 0, {2, 1});
    encode(tree, {2, 1});
  } catch (const FormulaError&) {
  }
  return 0;
}

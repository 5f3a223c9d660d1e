// Tokenizes, parses and binds arbitrary module text. Whatever the text, compiling must end with
// a program (unreadable statements become instructions that fail when run), never a crash, a
// hang or unbounded memory.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/lexer.h"
#include "spreadsheet/macro/program.h"

using namespace tabrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 64 * 1024) return 0;
  const std::u16string source = from_utf8(std::string_view(reinterpret_cast<const char*>(data), size));
  (void)macro::tokenize(source);
  const macro::Program program = macro::compile({macro::SourceModule{u"Module1", source, false},
                                                 macro::SourceModule{u"Sheet1", source, true}});
  (void)macro::find_macro(program, u"Macro1");
  (void)macro::find_macro(program, u"'Book1.xls'!Module1.Macro1");
  return 0;
}

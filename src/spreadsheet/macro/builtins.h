#pragma once
// The language's run-time functions a macro may call: conversions, text, numbers, dates, arrays,
// information and the two dialogs, which answer at once without a window. Functions that reach
// files, processes, the registry or other programs are not here: the sandbox refuses them.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/core/variant.h"
#include "spreadsheet/macro/limits.h"

namespace tabrel::macro {

struct BuiltinContext {
  const Limits& limits;
  bool text_compare = false;               // Option Compare Text of the calling module
  std::function<double()> clock;           // Now as a serial date-time
  std::vector<std::u16string>* messages;   // what MsgBox and InputBox would have shown
  uint32_t* rnd_seed;                      // state of Rnd
};

using Args = std::vector<Variant>;  // as given; omitted arguments are Empty
using BuiltinFn = Variant (*)(const Args& args, BuiltinContext& ctx);

struct Builtin {
  std::u16string_view name;
  uint8_t min_args;
  uint8_t max_args;
  bool keeps_objects;  // receives objects as they are (TypeName, IsObject); others get their values
  BuiltinFn fn;
};

// The index of a run-time function by name (letter case ignored), -1 when there is none.
int find_builtin(std::u16string_view name);
const Builtin& builtin_at(int index);

// The marker an omitted Optional parameter holds (IsMissing is True for it).
Variant missing_argument();
bool is_missing(const Variant& v);

// Conversions shared with assignments to typed variables.
Variant to_date(const Variant& v);
double date_of_text(std::u16string_view text);  // raises 13 when the text is no date

// Functions by family, for the table.
namespace fn {
Variant Len(const Args&, BuiltinContext&);
Variant Left(const Args&, BuiltinContext&);
Variant Right(const Args&, BuiltinContext&);
Variant Mid(const Args&, BuiltinContext&);
Variant Trim(const Args&, BuiltinContext&);
Variant LTrim(const Args&, BuiltinContext&);
Variant RTrim(const Args&, BuiltinContext&);
Variant UCase(const Args&, BuiltinContext&);
Variant LCase(const Args&, BuiltinContext&);
Variant InStr(const Args&, BuiltinContext&);
Variant InStrRev(const Args&, BuiltinContext&);
Variant Replace(const Args&, BuiltinContext&);
Variant Space(const Args&, BuiltinContext&);
Variant String(const Args&, BuiltinContext&);
Variant StrReverse(const Args&, BuiltinContext&);
Variant StrComp(const Args&, BuiltinContext&);
Variant StrConv(const Args&, BuiltinContext&);
Variant Split(const Args&, BuiltinContext&);
Variant Join(const Args&, BuiltinContext&);
Variant Format(const Args&, BuiltinContext&);
Variant Asc(const Args&, BuiltinContext&);
Variant Chr(const Args&, BuiltinContext&);
Variant Hex(const Args&, BuiltinContext&);
Variant Oct(const Args&, BuiltinContext&);
Variant Str(const Args&, BuiltinContext&);
Variant Val(const Args&, BuiltinContext&);
}  // namespace fn

}  // namespace tabrel::macro

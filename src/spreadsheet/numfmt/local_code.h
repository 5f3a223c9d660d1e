#pragma once
// NumberFormatLocal: a format code as the Korean UI writes it ("G/표준" for General, "[빨강]"
// for [Red], "[색10]" for [Color10]) and back. Quoted and escaped text is left alone.

#include <string>
#include <string_view>

namespace tabrel::numfmt {

std::u16string to_local_code(std::u16string_view code);
std::u16string from_local_code(std::u16string_view local);

}  // namespace tabrel::numfmt

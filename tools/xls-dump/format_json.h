#pragma once
// Cell formats (XF records) as the dump writes them, in the field meanings of the corpus's
// expected dumps: palette indexes for colours, BIFF codes for alignment and line styles.

#include <cstdint>
#include <string>

#include "json.h"
#include "spreadsheet/model/styles.h"

namespace tabrel::dump {

// The XF at `index` with its font, number format code, alignment, fill, borders and
// protection; null when there is no such XF.
json::Value xf_json(const model::Styles& styles, uint16_t index);

// The code of a built-in number format in English (id 0 is "General"); "" when not built in.
std::string builtin_format_code(uint16_t id);

}  // namespace tabrel::dump

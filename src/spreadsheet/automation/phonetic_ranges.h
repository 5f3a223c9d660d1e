#pragma once
// The cells whose phonetic guides are shown, as the sheet's phonetic settings record lists them
// (font, type and alignment, then a list of ranges).

#include <cstdint>
#include <vector>

#include "spreadsheet/model/cell_ref.h"

namespace tabrel::xl {

// The ranges of the settings; a short or inconsistent record gives none.
std::vector<model::RangeRef> phonetic_ranges(const std::vector<uint8_t>& settings);

// The settings with `area` added to or taken out of the ranges.
std::vector<uint8_t> with_phonetic_range(const std::vector<uint8_t>& settings, const model::RangeRef& area, bool shown);

}  // namespace tabrel::xl

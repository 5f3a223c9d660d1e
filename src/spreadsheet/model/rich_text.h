#pragma once
// A text with formatting runs and phonetic (furigana/Hangul reading) data, as shared strings,
// comments and text boxes hold it.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "spreadsheet/model/cell_ref.h"
#include "spreadsheet/model/counted_ptr.h"

namespace tabrel::model {

struct FormatRun {
  uint16_t first_char = 0;  // 0-based UTF-16 position where the run starts
  uint16_t font = 0;        // font index as stored (index 4 is skipped in BIFF numbering)
  friend bool operator==(const FormatRun&, const FormatRun&) = default;
};

struct PhoneticRun {
  uint16_t phonetic_first = 0;  // position in the phonetic text
  uint16_t base_first = 0;      // position in the base text
  uint16_t base_count = 0;
  friend bool operator==(const PhoneticRun&, const PhoneticRun&) = default;
};

struct PhoneticText {
  uint16_t font = 0;
  uint8_t type = 0;       // 0 half-width katakana, 1 full-width katakana, 2 hiragana, 3 any
  uint8_t alignment = 0;  // 0 not specified, 1 left, 2 centre, 3 distributed
  std::u16string text;
  std::vector<PhoneticRun> runs;
  friend bool operator==(const PhoneticText&, const PhoneticText&) = default;
};

struct RichText {
  std::u16string text;
  std::vector<FormatRun> runs;          // empty: the whole text in the cell's font
  std::shared_ptr<const PhoneticText> phonetic;  // null: no phonetic data
  bool operator==(const RichText& o) const {
    return text == o.text && runs == o.runs &&
           (phonetic == o.phonetic || (phonetic && o.phonetic && *phonetic == *o.phonetic));
  }
};

// A RichText shared by every cell and table that holds it; the text cannot change once made.
using SharedText = CountedPtr<const RichText>;

}  // namespace tabrel::model

#include "papers/blocks/data_entry.h"

#include <vector>

#include "inspect/text_cells.h"
#include "runtime/numbers.h"
#include "runtime/split_tokens.h"
#include "spreadsheet/core/run_time_errors.h"

namespace tabrel::papers {

Step data_entry(const char16_t* first, const char16_t* last) {
  return [first, last](ProblemRun& run) {
    std::vector<std::u16string> items;
    rt::SplitTokens(inspect::GetWrongTextCells(run.excel(), first, last, 0, false), items, u";");
    const float filled = inspect::CountAnswerFilledCells(run.excel(), first, last);
    if (filled == 0) raise_error(err::kDivisionByZero);
    const float share = static_cast<float>(rt::Val(rt::FormatFixed2(kDataEntryPoints / filled)));
    if (items.empty() || rt::Val(items[0]) == 0) return;
    const size_t listed = items.size() - 1;
    if (inspect::CountAnswerFilledCells(run.excel(), first, last) != static_cast<float>(listed)) {
      for (size_t i = 1; i < items.size(); ++i) run.Deduct(share, items[i] + kWrongValueText);
    } else {
      run.Deduct(kDataEntryPoints, kAllEntriesWrongText);
    }
  };
}

}  // namespace tabrel::papers

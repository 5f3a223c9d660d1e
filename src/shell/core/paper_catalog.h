#pragma once
// The built-in papers: the catalog text `PaperCatalog` ("name,points,...;name,points,...")
// and the table of full paper names that the grading request dispatches on.

#include <array>
#include <string>
#include <string_view>

namespace tabrel::shell {

// The 22 catalog entries in catalog order: catalog name followed by the points of problems 1..4.
extern const std::array<std::u16string_view, 22> kCatalogEntries;

// `PaperCatalog` as start-up builds it: the entries joined by ";" (no ";" at the end).
std::u16string BuildPaperCatalog();

// One built-in paper as the dispatch sees it: its full `PaperName` and the name of the
// module whose `GradePaper` grades it.
struct PaperModule {
  std::u16string_view paper_name;
  std::u16string_view module_name;
};

// The 22 papers in the order in which the grading request compares their names.
extern const std::array<PaperModule, 22> kPaperModules;

}  // namespace tabrel::shell

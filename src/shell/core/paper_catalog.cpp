#include "shell/core/paper_catalog.h"

namespace tabrel::shell {

const std::array<std::u16string_view, 22> kCatalogEntries = {
    u"2급기초다지기01회,20,40,20,20", u"2급기초다지기02회,20,40,20,20", u"2급기초다지기03회,20,40,20,20",
    u"2급기초다지기04회,20,40,20,20", u"2급기초다지기05회,20,40,20,20", u"2급실력다지기01회,20,40,20,20",
    u"2급실력다지기02회,20,40,20,20", u"2급실력다지기03회,20,40,20,20", u"2급실력다지기04회,20,40,20,20",
    u"2급실력다지기05회,20,40,20,20", u"2급합격다지기01회,20,40,20,20", u"2급합격다지기02회,20,40,20,20",
    u"2급합격다지기03회,20,40,20,20", u"2급합격다지기04회,20,40,20,20", u"2급합격다지기05회,20,40,20,20",
    u"2급유형01회,20,40,20,20",       u"2급기출01회,20,40,20,20",       u"2급기출02회,20,40,20,20",
    u"2급기출03회,20,40,20,20",       u"2급기출04회,20,40,20,20",       u"2급기출05회,20,40,20,20",
    u"2급기출06회,20,40,20,20",
};

std::u16string BuildPaperCatalog() {
  std::u16string catalog;
  for (auto entry : kCatalogEntries) {
    catalog += entry;
    catalog += u';';
  }
  catalog.pop_back();
  return catalog;
}

const std::array<PaperModule, 22> kPaperModules = {{
    {u"Tabrel2급기초다지기01회", u"Tabrel2급기초01회"},
    {u"Tabrel2급기초다지기02회", u"Tabrel2급기초02회"},
    {u"Tabrel2급기초다지기03회", u"Tabrel2급기초03회"},
    {u"Tabrel2급기초다지기04회", u"Tabrel2급기초04회"},
    {u"Tabrel2급기초다지기05회", u"Tabrel2급기초05회"},
    {u"Tabrel2급실력다지기01회", u"Tabrel2급실력01회"},
    {u"Tabrel2급실력다지기02회", u"Tabrel2급실력02회"},
    {u"Tabrel2급실력다지기03회", u"Tabrel2급실력03회"},
    {u"Tabrel2급실력다지기04회", u"Tabrel2급실력04회"},
    {u"Tabrel2급실력다지기05회", u"Tabrel2급실력05회"},
    {u"Tabrel2급합격다지기01회", u"Tabrel2급합격01회"},
    {u"Tabrel2급합격다지기02회", u"Tabrel2급합격02회"},
    {u"Tabrel2급합격다지기03회", u"Tabrel2급합격03회"},
    {u"Tabrel2급합격다지기04회", u"Tabrel2급합격04회"},
    {u"Tabrel2급합격다지기05회", u"Tabrel2급합격05회"},
    {u"Tabrel2급기출문제유형01회", u"Tabrel2급기출유형01회A형"},
    {u"Tabrel2급기출문제기출01회", u"Tabrel2급기출01회A형"},
    {u"Tabrel2급기출문제기출02회", u"Tabrel2급기출02회A형"},
    {u"Tabrel2급기출문제기출03회", u"Tabrel2급기출03회A형"},
    {u"Tabrel2급기출문제기출04회", u"Tabrel2급기출04회A형"},
    {u"Tabrel2급기출문제기출05회", u"Tabrel2급기출05회A형"},
    {u"Tabrel2급기출문제기출06회", u"Tabrel2급기출06회A형"},
}};

}  // namespace tabrel::shell

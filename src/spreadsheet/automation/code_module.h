#pragma once
// The code of one module as the macro editor shows it (lines from 1, attribute lines hidden).
// Edits change the workbook's macro project: the next macro run executes them and a save keeps
// them.

#include <cstdint>
#include <memory>
#include <string>

#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Application;
struct Book;

class CodeModule : public Dispatch {
 public:
  CodeModule(std::shared_ptr<Application> app, std::shared_ptr<Book> book, std::u16string module);
  std::u16string type_name() const override { return u"CodeModule"; }

  int32_t CountOfLines() const;
  // `count` lines from `start`, joined by CR LF; a count past the last line stops there.
  // A start outside the module raises 9, a negative count 5.
  std::u16string Lines(int32_t start, int32_t count) const;

  // Searches the region from (start_line, start_column) to (end_line, end_column), columns
  // counted from 1 and the end column exclusive; -1 as end line or end column means the end of
  // the module or of the line. A match lies wholly inside the region and within one line. On a
  // match the four positions are set to it (end column just after its last character) and the
  // result is true; otherwise they stay as they were. Without match_case letters compare
  // regardless of case; whole_word wants no letter, digit or "_" on either side. Pattern
  // searches are not supported (438); with match_case they are refused (5).
  bool Find(const std::u16string& target, int32_t& start_line, int32_t& start_column, int32_t& end_line,
            int32_t& end_column, bool whole_word = false, bool match_case = false, bool pattern_search = false) const;

  // Replaces one line (a text with line breaks becomes several); a line outside the module
  // raises 9.
  void ReplaceLine(int32_t line, const std::u16string& text);
  // Adds the lines of `text` at the end of the module (line feeds alone become CR LF).
  void AddFromString(const std::u16string& text);

 private:
  std::shared_ptr<Application> app_;
  std::shared_ptr<Book> book_;
  std::u16string module_;
};

}  // namespace tabrel::xl

#include "answer_source.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "autoformat_statements.h"
#include "camera_statements.h"
#include "chart_statements.h"
#include "filter_statements.h"
#include "outline_statements.h"
#include "phonetic_statements.h"
#include "pivot_statements.h"
#include "scenario_statements.h"
#include "drawing_statements.h"
#include "module_statements.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/format_conditions.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/write_styles.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::answers {

namespace {

struct Statement {
  int line = 0;
  std::vector<std::u16string> fields;  // fields[0] is the verb
};

std::string trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

std::vector<Statement> parse(const std::string& source) {
  std::vector<Statement> statements;
  std::istringstream in(source);
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    const std::string t = trim(text);
    if (t.empty() || t[0] == '#') continue;
    Statement s{line, {}};
    size_t start = 0;
    while (true) {
      const size_t bar = t.find('|', start);
      s.fields.push_back(from_utf8(trim(t.substr(start, bar == std::string::npos ? std::string::npos : bar - start))));
      if (bar == std::string::npos) break;
      start = bar + 1;
    }
    statements.push_back(std::move(s));
  }
  return statements;
}

const std::u16string& field(const Statement& s, size_t i) {
  if (i >= s.fields.size()) fail(s.line, "field " + std::to_string(i) + " missing");
  return s.fields[i];
}

std::optional<double> number(const std::u16string& text) {
  const std::string utf8 = to_utf8(text);
  if (utf8.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(utf8.c_str(), &end);
  if (end != utf8.c_str() + utf8.size()) return std::nullopt;
  return value;
}

double required_number(const Statement& s, const std::u16string& text) {
  const auto value = number(text);
  if (!value) fail(s.line, "not a number: " + to_utf8(text));
  return *value;
}

// "A3" shifted `columns` to the right.
std::u16string shifted(const Statement& s, const std::u16string& cell, int columns) {
  size_t letters = 0;
  int column = 0;
  while (letters < cell.size() && cell[letters] >= u'A' && cell[letters] <= u'Z') {
    column = column * 26 + (cell[letters] - u'A' + 1);
    ++letters;
  }
  if (letters == 0 || letters == cell.size()) fail(s.line, "not a cell: " + to_utf8(cell));
  column += columns;
  std::u16string name;
  for (; column > 0; column = (column - 1) / 26) name.insert(name.begin(), static_cast<char16_t>(u'A' + (column - 1) % 26));
  return name + cell.substr(letters);
}

int alignment(const Statement& s, const std::u16string& word) {
  if (word == u"left") return -4131;
  if (word == u"center") return -4108;
  if (word == u"right") return -4152;
  fail(s.line, "unknown alignment " + to_utf8(word));
}

int comparison(const Statement& s, const std::u16string& word) {
  static const char16_t* const kOperators[] = {u"between", u"notbetween", u"equal", u"notequal",
                                               u"greater", u"less", u"greaterequal", u"lessequal"};
  for (int i = 0; i < 8; ++i) {
    if (word == kOperators[i]) return i + 1;
  }
  fail(s.line, "unknown operator " + to_utf8(word));
}

// "key=value" or a bare "key".
std::pair<std::u16string, std::u16string> key_value(const std::u16string& f) {
  const size_t eq = f.find(u'=');
  if (eq == std::u16string::npos) return {f, u""};
  return {f.substr(0, eq), f.substr(eq + 1)};
}

void put_value(xl::Range& cell, const std::u16string& text) {
  if (text.empty()) return;
  if (text[0] == u'\'') {
    cell.SetValue(Variant(text.substr(1)));
  } else if (text[0] == u'=') {
    cell.SetFormula(Variant(text));
  } else if (const auto value = number(text)) {
    cell.SetValue(Variant(*value));
  } else {
    cell.SetValue(Variant(text));
  }
}

void apply_font(const Statement& s, xl::Range& range) {
  auto font = range.Font();
  for (size_t i = 2; i < s.fields.size(); ++i) {
    const auto [key, value] = key_value(s.fields[i]);
    if (key == u"name") font->SetName(Variant(value));
    else if (key == u"size") font->SetSize(Variant(required_number(s, value)));
    else if (key == u"bold") font->SetBold(Variant(true));
    else if (key == u"italic") font->SetItalic(Variant(true));
    else if (key == u"underline") font->SetUnderline(Variant(required_number(s, value)));
    else if (key == u"color") font->SetColorIndex(Variant(required_number(s, value)));
    else fail(s.line, "unknown font field " + to_utf8(key));
  }
}

void apply_condition(const Statement& s, xl::Range& range) {
  const std::u16string& kind = field(s, 2);
  std::shared_ptr<xl::FormatCondition> rule;
  size_t next = 0;
  if (kind == u"formula") {
    rule = range.FormatConditions()->Add(Variant(2), Variant(), Variant(field(s, 3)));
    next = 4;
  } else if (kind == u"value") {
    const int op = comparison(s, field(s, 3));
    const bool two = op <= 2;
    rule = range.FormatConditions()->Add(Variant(1), Variant(op), Variant(field(s, 4)),
                                         two ? Variant(field(s, 5)) : Variant());
    next = two ? 6 : 5;
  } else {
    fail(s.line, "unknown condition kind " + to_utf8(kind));
  }
  for (size_t i = next; i < s.fields.size(); ++i) {
    const auto [key, value] = key_value(s.fields[i]);
    if (key == u"bold") rule->Font()->SetBold(Variant(true));
    else if (key == u"italic") rule->Font()->SetItalic(Variant(true));
    else if (key == u"color") rule->Font()->SetColorIndex(Variant(required_number(s, value)));
    else if (key == u"fill") rule->Interior()->SetColorIndex(Variant(required_number(s, value)));
    else fail(s.line, "unknown condition field " + to_utf8(key));
  }
}

void apply(const Statement& s, xl::Workbook& book, std::shared_ptr<xl::Worksheet>& sheet,
           const std::filesystem::path& folder) {
  const std::u16string& verb = s.fields[0];
  if (verb == u"password") return;
  if (verb == u"sheet") {
    sheet = book.Worksheets(Variant(field(s, 1)));
    sheet->Activate();
    return;
  }
  if (verb == u"name") {
    book.Names()->Add(field(s, 1), field(s, 2));
    return;
  }
  if (verb == u"module") return apply_module(s.line, s.fields, book, folder);
  if (!sheet) fail(s.line, "no sheet yet");
  if (verb == u"chart") return apply_chart(s.line, s.fields, *sheet);
  if (apply_filter_statement(s.line, s.fields, book, *sheet)) return;
  if (apply_pivot_statement(s.line, s.fields, book, *sheet) || apply_scenario_statement(s.line, s.fields, *sheet)) return;
  if (apply_camera_statement(s.line, s.fields, book, *sheet) || apply_phonetic_statement(s.line, s.fields, *sheet) ||
      apply_outline_statement(s.line, s.fields, *sheet) || apply_autoformat_statement(s.line, s.fields, *sheet))
    return;
  if (verb == u"button" || verb == u"shape" || verb == u"comment") return apply_drawing(s.line, s.fields, *sheet);
  const auto range = sheet->Range(Variant(field(s, 1)));
  if (verb == u"row") {
    for (size_t i = 2; i < s.fields.size(); ++i) {
      put_value(*sheet->Range(Variant(shifted(s, field(s, 1), static_cast<int>(i - 2)))), s.fields[i]);
    }
  } else if (verb == u"width") {
    range->SetColumnWidth(Variant(required_number(s, field(s, 2))));
  } else if (verb == u"font") {
    apply_font(s, *range);
  } else if (verb == u"fill") {
    range->Interior()->SetColorIndex(Variant(required_number(s, field(s, 2))));
  } else if (verb == u"format") {
    range->SetNumberFormat(Variant(field(s, 2)));
  } else if (verb == u"align") {
    range->SetHorizontalAlignment(Variant(alignment(s, field(s, 2))));
  } else if (verb == u"merge") {
    range->Merge();
    range->SetHorizontalAlignment(Variant(-4108));
  } else if (verb == u"border") {
    range->Borders()->SetLineStyle(Variant(1));
  } else if (verb == u"style") {
    range->SetStyle(Variant(field(s, 2)));
  } else if (verb == u"condition") {
    apply_condition(s, *range);
  } else {
    fail(s.line, "unknown statement " + to_utf8(verb));
  }
}

// A workbook of the named blank worksheets with the default styles of a saved workbook.
std::unique_ptr<model::Workbook> blank_workbook(const std::vector<std::u16string>& names) {
  auto wb = std::make_unique<model::Workbook>();
  wb->styles = xls::completed_styles({});
  for (const std::u16string& name : names) {
    auto sheet = std::make_unique<model::Sheet>();
    sheet->name = name;
    wb->sheets.push_back(std::move(sheet));
  }
  return wb;
}

// A formula whose result is an error is a fault of the source, not an answer.
void refuse_error_results(const std::vector<Statement>& statements, xl::Workbook& book) {
  std::shared_ptr<xl::Worksheet> sheet;
  for (const Statement& s : statements) {
    if (s.fields[0] == u"sheet") sheet = book.Worksheets(Variant(field(s, 1)));
    if (s.fields[0] != u"row" || !sheet) continue;
    for (size_t i = 2; i < s.fields.size(); ++i) {
      if (s.fields[i].empty() || s.fields[i][0] != u'=') continue;
      const std::u16string address = shifted(s, field(s, 1), static_cast<int>(i - 2));
      const auto cell = sheet->Range(Variant(address));
      if (cell->Value().is_error())
        fail(s.line, to_utf8(address) + " " + to_utf8(s.fields[i]) + " gives " + to_utf8(cell->Text().to_string()));
    }
  }
}

}  // namespace

void fail(int line, const std::string& why) { throw SourceError("line " + std::to_string(line) + ": " + why); }

std::vector<uint8_t> build_answer(const std::string& source, const std::filesystem::path& folder) {
  const std::vector<Statement> statements = parse(source);
  xls::WriteOptions options;
  std::vector<std::u16string> sheet_names;
  for (const Statement& s : statements) {
    if (s.fields[0] == u"password") options.password = field(s, 1);
    if (s.fields[0] == u"sheet") sheet_names.push_back(field(s, 1));
  }
  if (sheet_names.empty()) throw SourceError("no sheet");

  auto app = xl::Application::New();
  auto book = app->Workbooks()->Adopt(blank_workbook(sheet_names), u"answer.xls");
  std::shared_ptr<xl::Worksheet> sheet;
  for (const Statement& s : statements) apply(s, *book, sheet, folder);
  xl::calculate_full(*book->book());
  refresh_chart_caches(book->model());
  refuse_error_results(statements, *book);
  book->Worksheets(Variant(1))->Activate();
  book->Worksheets(Variant(1))->Range(Variant(u"A1"))->Select();

  std::vector<uint8_t> bytes = xls::write_workbook(book->model(), options);
  app->Quit();
  return bytes;
}

void build_answer_file(const std::filesystem::path& source_file, const std::filesystem::path& output) {
  std::ifstream in(source_file, std::ios::binary);
  if (!in) throw SourceError("cannot read " + source_file.string());
  std::stringstream text;
  text << in.rdbuf();
  const std::vector<uint8_t> bytes = build_answer(text.str(), source_file.parent_path());
  const std::filesystem::path partial = output.string() + ".part";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw SourceError("cannot write " + partial.string());
  }
  std::filesystem::rename(partial, output);
}

}  // namespace tabrel::answers

#include "run_command.h"

#include <cstdio>
#include <iostream>
#include <map>
#include <string>
#include <tuple>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/runner.h"
#include "spreadsheet/model/cell_ref.h"

namespace tabrel::dump {
namespace {

// What a person sees of a cell: its formula (or constant), its displayed text and its format.
struct Look {
  std::u16string formula, text;
  uint16_t xf = 15;
  bool operator==(const Look&) const = default;
};

using Snapshot = std::map<std::tuple<size_t, int, int>, Look>;

Snapshot snapshot(xl::Application& app) {
  Snapshot out;
  const auto& book = app.session().active;
  if (!book) return out;
  auto& wb = *book->model;
  for (size_t s = 0; s < wb.sheets.size(); ++s) {
    const auto& sheet = *wb.sheets[s];
    if (sheet.kind != model::SheetKind::Worksheet) continue;
    xl::Worksheet ws(xl::SheetHandle{app.GetApplication(), book, &sheet});
    for (const auto& [key, cell] : sheet.cells) {
      const model::CellRef at = model::CellStore::position(key);
      const auto range = ws.Cells(Variant(at.row + 1), Variant(at.col + 1));
      Look look;
      look.xf = cell.xf;
      try {
        look.formula = range->Formula().to_string();
        look.text = range->Text().to_string();
      } catch (const AutomationError&) {
        look.text = u"(unreadable)";
      }
      out[{s, at.row, at.col}] = look;
    }
  }
  return out;
}

std::string quoted(const std::u16string& s) { return "\"" + to_utf8(s) + "\""; }

void print_changes(xl::Application& app, const Snapshot& before, const Snapshot& after) {
  const auto& wb = *app.session().active->model;
  auto name = [&](const std::tuple<size_t, int, int>& k) {
    const auto [s, row, col] = k;
    return to_utf8(wb.sheets[s]->name) + "!" + to_utf8(model::a1_address({row, col}));
  };
  const Look empty;
  for (const auto& [key, look] : after) {
    auto it = before.find(key);
    const Look& old = it == before.end() ? empty : it->second;
    if (old == look) continue;
    std::cout << name(key) << ": " << quoted(old.formula) << " -> " << quoted(look.formula) << "  text "
              << quoted(look.text) << (old.xf != look.xf ? "  format changed" : "") << "\n";
  }
  for (const auto& [key, look] : before)
    if (!after.count(key)) std::cout << name(key) << ": " << quoted(look.formula) << " -> removed\n";
}

}  // namespace

int run_command(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: xls-dump --run MACRO FILE.xls [PASSWORD]\n");
    return 2;
  }
  const std::u16string macro_name = from_utf8(argv[1]);
  auto app = xl::Application::New();
  try {
    app->Workbooks()->Open(from_utf8(argv[2]), Variant(true), argc == 4 ? Variant(from_utf8(argv[3])) : Variant());
  } catch (const AutomationError& e) {
    std::fprintf(stderr, "%s\n", to_utf8(e.description()).c_str());
    return 1;
  }
  const Snapshot before = snapshot(*app);
  const macro::RunReport report = macro::run_macro(*app, macro_name);
  print_changes(*app, before, snapshot(*app));
  for (const auto& member : report.log.unsupported) std::cout << "unsupported: " << to_utf8(member) << "\n";
  for (const auto& message : report.log.messages) std::cout << to_utf8(message) << "\n";
  std::cout << "run " << to_utf8(macro_name) << ": "
            << (report.ok ? "ok" : "failed: " + to_utf8(report.failure)) << " (" << report.log.statements
            << " statements)\n";
  return report.ok ? 0 : 3;
}

}  // namespace tabrel::dump

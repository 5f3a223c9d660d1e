// Compiles arbitrary module text and runs each of its Subs, with a small budget, against a small
// workbook in memory. A run may fail or be stopped; it must never crash, hang or reach outside.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/interpreter.h"
#include "spreadsheet/model/workbook.h"

using namespace tabrel;

namespace {

std::unique_ptr<model::Workbook> small_workbook() {
  auto wb = std::make_unique<model::Workbook>();
  for (int i = 0; i < 4; ++i) wb->styles.fonts.push_back(model::Font{});
  for (int i = 0; i < 16; ++i) {
    model::Xf xf;
    xf.is_style = i < 15;
    wb->styles.xfs.push_back(xf);
  }
  for (const char16_t* name : {u"Sheet1", u"Sheet2"}) {
    auto sheet = std::make_unique<model::Sheet>();
    sheet->name = name;
    wb->sheets.push_back(std::move(sheet));
  }
  return wb;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 16 * 1024) return 0;
  const std::u16string source = from_utf8(std::string_view(reinterpret_cast<const char*>(data), size));
  const macro::Program program = macro::compile({macro::SourceModule{u"Module1", source, false}});
  macro::Limits limits;
  limits.statements = 20000;
  limits.seconds = 2;
  limits.call_depth = 40;
  limits.eval_depth = 400;
  limits.string_units = 64 * 1024;
  limits.array_items = 4096;
  auto app = xl::Application::New();
  app->Workbooks()->Adopt(small_workbook(), u"Book1.xls");
  macro::Interpreter interpreter(program, app, limits);
  interpreter.set_clock([] { return 45000.25; });
  const auto& procedures = program.modules[0].procedures;
  for (size_t i = 0; i < procedures.size() && i < 8; ++i) {
    if (procedures[i].kind != macro::ProcKind::Sub || !procedures[i].params.empty()) continue;
    try {
      interpreter.call(macro::ProcRef{0, static_cast<int>(i)});
    } catch (const AutomationError&) {
    } catch (const macro::RunStopped&) {
    }
  }
  return 0;
}

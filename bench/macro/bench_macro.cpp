// Statements per second of the macro interpreter: a loop of simple assignments (the kind a
// hand-written macro repeats), and a recorded macro that formats cells through the automation
// objects. Compiling is measured apart from running.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/macro/interpreter.h"
#include "spreadsheet/model/workbook.h"

namespace {

using namespace tabrel;

const char16_t* const kLoop =
    u"Sub Main()\r\n"
    u"    Dim i As Long, total As Long, x As Long\r\n"
    u"    For i = 1 To 1000000\r\n"
    u"        total = total + 1\r\n"
    u"        x = i - 1\r\n"
    u"        If x > total Then total = 0\r\n"
    u"    Next i\r\n"
    u"End Sub\r\n";

const char16_t* const kRecorded =
    u"Sub Main()\r\n"
    u"    Range(\"B2:B4\").Select\r\n"
    u"    Selection.Style = \"Comma [0]\"\r\n"
    u"    Range(\"D2\").Select\r\n"
    u"    ActiveCell.FormulaR1C1 = \"=AVERAGE(RC[-2]:RC[-1])\"\r\n"
    u"    Selection.AutoFill Destination:=Range(\"D2:D4\"), Type:=xlFillDefault\r\n"
    u"    Range(\"A1:D1\").Select\r\n"
    u"    With Selection.Interior\r\n"
    u"        .ColorIndex = 6\r\n"
    u"        .Pattern = xlSolid\r\n"
    u"    End With\r\n"
    u"    Selection.Font.Bold = True\r\n"
    u"    With Selection.Borders(xlEdgeBottom)\r\n"
    u"        .LineStyle = xlContinuous\r\n"
    u"        .Weight = xlThin\r\n"
    u"    End With\r\n"
    u"End Sub\r\n";

std::shared_ptr<xl::Application> instance() {
  auto wb = std::make_unique<model::Workbook>();
  for (int i = 0; i < 4; ++i) wb->styles.fonts.push_back(model::Font{});
  for (int i = 0; i < 16; ++i) {
    model::Xf xf;
    xf.is_style = i < 15;
    wb->styles.xfs.push_back(xf);
  }
  auto sheet = std::make_unique<model::Sheet>();
  sheet->name = u"Sheet1";
  wb->sheets.push_back(std::move(sheet));
  auto app = xl::Application::New();
  app->Workbooks()->Adopt(std::move(wb), u"Book1.xls");
  return app;
}

void run(benchmark::State& state, const char16_t* source) {
  const macro::Program program = macro::compile({macro::SourceModule{u"Module1", source, false}});
  auto app = instance();
  macro::Limits limits;
  limits.statements = 100'000'000;
  limits.seconds = 60;
  uint64_t statements = 0;
  for (auto _ : state) {
    macro::Interpreter interpreter(program, app, limits);
    interpreter.call(macro::ProcRef{0, 0});
    statements += interpreter.log().statements;
  }
  state.counters["statements/s"] = benchmark::Counter(static_cast<double>(statements), benchmark::Counter::kIsRate);
}

void BM_SimpleStatements(benchmark::State& state) { run(state, kLoop); }
BENCHMARK(BM_SimpleStatements)->Unit(benchmark::kMillisecond);

void BM_RecordedMacro(benchmark::State& state) { run(state, kRecorded); }
BENCHMARK(BM_RecordedMacro)->Unit(benchmark::kMicrosecond);

void BM_CompileRecordedMacro(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(macro::compile({macro::SourceModule{u"Module1", kRecorded, false}}));
}
BENCHMARK(BM_CompileRecordedMacro)->Unit(benchmark::kMicrosecond);

}  // namespace

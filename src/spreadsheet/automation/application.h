#pragma once
// The spreadsheet application: one instance with its own open workbooks, active workbook, active
// sheet, active cell and selection. Two instances share nothing but application settings.

#include <functional>
#include <memory>
#include <string>

#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Workbooks;
class Workbook;
class Worksheet;
class Sheets;
class Range;
class VBE;
class CommandBars;
class Chart;
class Charts;
struct Session;

class Application : public Dispatch, public std::enable_shared_from_this<Application> {
 public:
  // A new instance with no workbook open (CreateObject / New of the application class).
  static std::shared_ptr<Application> New();
  ~Application() override;

  std::u16string type_name() const override { return u"Application"; }

  // The .Application property: this instance.
  std::shared_ptr<Application> GetApplication();

  std::shared_ptr<xl::Workbooks> Workbooks();
  // Nothing (nullptr) when no workbook is open.
  std::shared_ptr<xl::Workbook> ActiveWorkbook();
  std::shared_ptr<Worksheet> ActiveSheet();
  std::shared_ptr<xl::Range> ActiveCell();
  // The chart activated last on the active sheet, or the active chart sheet's chart; Nothing
  // (nullptr) when cells or a shape were selected since.
  std::shared_ptr<xl::Chart> ActiveChart();
  // The selected object: a Range while cells are selected; Nothing when no workbook is open.
  std::shared_ptr<Dispatch> Selection();

  // Collections and ranges of the active workbook and sheet; they raise 1004 without a workbook.
  std::shared_ptr<xl::Sheets> Sheets();
  std::shared_ptr<Worksheet> Sheets(const Variant& index);
  std::shared_ptr<xl::Sheets> Worksheets();
  std::shared_ptr<xl::Charts> Charts();
  std::shared_ptr<Worksheet> Worksheets(const Variant& index);
  std::shared_ptr<xl::Range> Range(const Variant& cell1, const Variant& cell2 = {});
  std::shared_ptr<xl::Range> Cells();
  std::shared_ptr<xl::Range> Cells(const Variant& row, const Variant& column);
  // Application.Goto: shows the sheet of `reference` and selects its cells. The reference is a
  // Range, a defined name, or an R1C1 address ("R1C1:R3C2", "Sheet1!R2C1"); any other 1004.
  void Goto(const Variant& reference);

  // Application.Run: runs a public macro of the instance's workbooks by name. The macro
  // interpreter installs the runner (an application setting shared by every instance); without
  // one, or when the runner does not know the macro, Run raises 1004.
  using MacroRunner = std::function<void(Application& app, const std::u16string& macro)>;
  static void SetMacroRunner(MacroRunner runner);
  void Run(const std::u16string& macro);

  // The macro editor of the instance, through which code modules are read and edited.
  std::shared_ptr<xl::VBE> VBE();

  // The menu bars and toolbars: application settings every instance shares (command_bars.h).
  std::shared_ptr<xl::CommandBars> CommandBars();

  // Setting CutCopyMode to False empties the clipboard of the active workbook.
  void SetCutCopyMode(const Variant& mode);

  bool DisplayAlerts() const;
  void SetDisplayAlerts(bool value);

  // Closes every workbook without saving; repeating it is harmless. Later use of the instance
  // raises (the instance is gone).
  void Quit();

  // For the objects of this instance: raises when the instance has quit.
  Session& session();
  const Session& session() const;

 private:
  Application();
  std::unique_ptr<Session> session_;
};

}  // namespace tabrel::xl

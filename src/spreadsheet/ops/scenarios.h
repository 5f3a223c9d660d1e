#pragma once
// The scenarios of a sheet as its records store them: a SCENMAN record (how many scenarios, which
// is current) and one SCENARIO record each, with its name, user, comment, changing cells and
// their values as texts.

#include <stdexcept>
#include <string>
#include <vector>

#include "spreadsheet/model/sheet.h"

namespace tabrel::ops {

struct ScenarioError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Scenario {
  std::u16string name;
  std::u16string comment;
  std::u16string user;
  bool locked = true;
  bool hidden = false;
  std::vector<model::CellRef> cells;
  std::vector<std::u16string> values;  // one per cell, as the scenario dialog shows them
};

inline constexpr size_t kMaxScenarioCells = 32;

// The scenarios in the order the sheet stores them. Raises ScenarioError for a record that does
// not read (too short, a count that disagrees with its contents).
std::vector<Scenario> read_scenarios(const model::Sheet& sheet);

// Stores one more scenario after the sheet's others. Raises ScenarioError for a name that is
// empty, longer than 255 characters or already used (letter case ignored), no changing cell or
// more than 32, or values that do not match the cells.
void add_scenario(model::Sheet& sheet, const Scenario& scenario);

}  // namespace tabrel::ops

#include "spreadsheet/ops/scenarios.h"

#include <algorithm>

#include "spreadsheet/core/text.h"

namespace tabrel::ops {
namespace {

constexpr uint16_t kScenMan = 0x00AE, kScenario = 0x00AF;

class Reader {
 public:
  explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  uint8_t u8() {
    need(1);
    return bytes_[at_++];
  }
  uint16_t u16() {
    need(2);
    const uint16_t v = static_cast<uint16_t>(bytes_[at_] | (bytes_[at_ + 1] << 8));
    at_ += 2;
    return v;
  }
  // `count` characters after their flag byte.
  std::u16string chars(size_t count) {
    const bool wide = (u8() & 0x1) != 0;
    std::u16string out;
    for (size_t i = 0; i < count; ++i) out.push_back(wide ? static_cast<char16_t>(u16()) : static_cast<char16_t>(u8()));
    return out;
  }
  std::u16string counted() { return chars(u16()); }

 private:
  void need(size_t n) const {
    if (at_ + n > bytes_.size()) throw ScenarioError("a scenario record is too short");
  }
  const std::vector<uint8_t>& bytes_;
  size_t at_ = 0;
};

class Writer {
 public:
  void u8(uint8_t v) { bytes_.push_back(v); }
  void u16(uint16_t v) {
    u8(static_cast<uint8_t>(v & 0xFF));
    u8(static_cast<uint8_t>(v >> 8));
  }
  void chars(std::u16string_view text) {
    const bool wide = std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; });
    u8(wide ? 1 : 0);
    for (char16_t c : text) wide ? u16(c) : u8(static_cast<uint8_t>(c));
  }
  void counted(std::u16string_view text) {
    u16(static_cast<uint16_t>(text.size()));
    chars(text);
  }
  std::vector<uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

Scenario read_one(const model::RawRecord& record) {
  Reader r(record.payload);
  Scenario s;
  const uint16_t cells = r.u16();
  s.locked = r.u8() != 0;
  s.hidden = r.u8() != 0;
  const uint8_t name_length = r.u8();
  const uint8_t comment_length = r.u8();
  r.u8();  // the user name's length, repeated before it
  if (cells == 0 || cells > kMaxScenarioCells) throw ScenarioError("a scenario counts no cell or too many");
  s.name = r.chars(name_length);
  s.user = r.counted();
  if (comment_length > 0) s.comment = r.counted();
  for (uint16_t i = 0; i < cells; ++i) {
    const int row = r.u16();
    const int col = r.u16();
    if (row >= model::kMaxRows || col >= model::kMaxColumns) throw ScenarioError("a scenario cell is off the sheet");
    s.cells.push_back({row, col});
  }
  for (uint16_t i = 0; i < cells; ++i) s.values.push_back(r.counted());
  return s;
}

std::vector<uint8_t> scenario_bytes(const Scenario& s) {
  Writer w;
  w.u16(static_cast<uint16_t>(s.cells.size()));
  w.u8(s.locked ? 1 : 0);
  w.u8(s.hidden ? 1 : 0);
  w.u8(static_cast<uint8_t>(s.name.size()));
  w.u8(static_cast<uint8_t>(std::min<size_t>(s.comment.size(), 255)));
  w.u8(static_cast<uint8_t>(std::min<size_t>(s.user.size(), 255)));
  w.chars(s.name);
  w.counted(s.user.substr(0, 255));
  if (!s.comment.empty()) w.counted(s.comment.substr(0, 255));
  for (const model::CellRef& c : s.cells) {
    w.u16(static_cast<uint16_t>(c.row));
    w.u16(static_cast<uint16_t>(c.col));
  }
  for (const std::u16string& v : s.values) w.counted(v.substr(0, 255));
  return w.take();
}

std::vector<uint8_t> manager_bytes(uint16_t count) {
  Writer w;
  w.u16(count);
  w.u16(0);       // the scenario selected in the manager
  w.u16(0xFFFF);  // none shown
  w.u16(0);       // no result cells
  return w.take();
}

}  // namespace

std::vector<Scenario> read_scenarios(const model::Sheet& sheet) {
  std::vector<Scenario> out;
  for (const model::RawRecord& r : sheet.other_records)
    if (r.id == kScenario) out.push_back(read_one(r));
  return out;
}

void add_scenario(model::Sheet& sheet, const Scenario& scenario) {
  if (scenario.name.empty() || scenario.name.size() > 255) throw ScenarioError("a scenario needs a name of 1 to 255 characters");
  if (scenario.cells.empty() || scenario.cells.size() > kMaxScenarioCells)
    throw ScenarioError("a scenario changes 1 to 32 cells");
  if (scenario.values.size() != scenario.cells.size()) throw ScenarioError("a scenario needs one value per cell");
  const auto existing = read_scenarios(sheet);
  for (const Scenario& s : existing)
    if (upper(s.name) == upper(scenario.name)) throw ScenarioError("a scenario of that name exists");

  auto& records = sheet.other_records;
  const uint16_t count = static_cast<uint16_t>(existing.size() + 1);
  auto manager = std::find_if(records.begin(), records.end(), [](const model::RawRecord& r) { return r.id == kScenMan; });
  if (manager == records.end()) {
    records.push_back({kScenMan, manager_bytes(count), {}});
    records.push_back({kScenario, scenario_bytes(scenario), {}});
    return;
  }
  if (manager->payload.size() >= 2) {
    manager->payload[0] = static_cast<uint8_t>(count & 0xFF);
    manager->payload[1] = static_cast<uint8_t>(count >> 8);
  }
  size_t last = static_cast<size_t>(manager - records.begin());
  for (size_t i = last; i < records.size(); ++i)
    if (records[i].id == kScenario) last = i;
  records.insert(records.begin() + static_cast<std::ptrdiff_t>(last + 1), {kScenario, scenario_bytes(scenario), {}});
}

}  // namespace tabrel::ops

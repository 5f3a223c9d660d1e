#include "spreadsheet/automation/sheet_protection.h"

#include <algorithm>
#include <string>

#include "spreadsheet/automation/errors.h"
#include "spreadsheet/crypto/xor_obfuscation.h"

namespace tabrel::xl {
namespace {

// Record ids.
constexpr uint16_t kProtect = 0x0012;
constexpr uint16_t kPassword = 0x0013;
constexpr uint16_t kObjProtect = 0x0063;
constexpr uint16_t kScenarioProtect = 0x00DD;

bool is_protection(uint16_t id) {
  return id == kProtect || id == kObjProtect || id == kScenarioProtect || id == kPassword;
}

const model::RawRecord* find(const model::Sheet& sheet, uint16_t id) {
  auto it = std::find_if(sheet.other_records.begin(), sheet.other_records.end(),
                         [&](const model::RawRecord& r) { return r.id == id; });
  return it == sheet.other_records.end() ? nullptr : &*it;
}

uint16_t flag_of(const model::RawRecord* r) {
  return r && r->payload.size() >= 2 ? static_cast<uint16_t>(r->payload[0] | (r->payload[1] << 8)) : 0;
}

model::RawRecord record(uint16_t id, uint16_t value) {
  return model::RawRecord{id, {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)}, {}};
}

// The password's verifier over its characters in the single-byte code the file keeps.
uint16_t verifier(const std::u16string& password) {
  std::string bytes;
  for (char16_t c : password) bytes += static_cast<char>(c & 0xFF);
  return crypto::xor_verifier(bytes);
}

}  // namespace

void protect_sheet(model::Sheet& sheet, const std::u16string& password, const Protection& parts) {
  std::erase_if(sheet.other_records, [](const model::RawRecord& r) { return is_protection(r.id); });
  sheet.other_records.push_back(record(kProtect, parts.contents ? 1 : 0));
  sheet.other_records.push_back(record(kScenarioProtect, parts.scenarios ? 1 : 0));
  sheet.other_records.push_back(record(kObjProtect, parts.drawing_objects ? 1 : 0));
  if (!password.empty()) sheet.other_records.push_back(record(kPassword, verifier(password)));
}

void unprotect_sheet(model::Sheet& sheet, const std::u16string& password) {
  const uint16_t stored = flag_of(find(sheet, kPassword));
  if (stored != 0 && contents_protected(sheet) && verifier(password) != stored) raise(Fault::MethodFailed);
  std::erase_if(sheet.other_records, [](const model::RawRecord& r) { return is_protection(r.id); });
}

bool contents_protected(const model::Sheet& sheet) { return flag_of(find(sheet, kProtect)) != 0; }

}  // namespace tabrel::xl

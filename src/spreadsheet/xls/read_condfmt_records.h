#pragma once
// Files a sheet's conditional-format records under their formats, in stream order: CF rules under
// the CONDFMT before them, CF12 rules under the CONDFMT12 before them or under the classic format
// that a CFEX names, and a CFEX's template and priority onto the classic rule it extends.

#include <optional>

#include "spreadsheet/biff/record.h"
#include "spreadsheet/model/sheet.h"

namespace tabrel::xls {

class CondFormatRecords {
 public:
  explicit CondFormatRecords(model::Sheet& sheet) : sheet_(sheet) {}

  // True when `rec` is one of CONDFMT, CF, CONDFMT12, CF12, CFEX and was filed. The newer
  // records are kept as stored for the writer, with their format (a CFEX that names no format
  // with the sheet's other records).
  bool read(const biff::Record& rec);

 private:
  model::CondFormat* classic_format(uint16_t id);
  void read_cf12(const biff::Record& rec);
  void read_cfex(const biff::Record& rec);

  model::Sheet& sheet_;
  std::optional<uint16_t> cf12_owner_;  // a CFEX said the next CF12 belongs to this classic format
};

}  // namespace tabrel::xls

#include "spreadsheet/automation/errors.h"

#include <array>

namespace tabrel::xl {
namespace {

struct FaultEntry {
  Fault fault;
  int32_t number;
  std::u16string description;  // empty: the error number's own description
};

const std::array<FaultEntry, 20>& table() {
  static const std::array<FaultEntry, 20> entries = {{
      {Fault::InvalidArgument, err::kInvalidProcedureCall, {}},
      {Fault::OutOfMemory, err::kOutOfMemory, {}},
      {Fault::SubscriptOutOfRange, err::kSubscriptOutOfRange, {}},
      {Fault::TypeMismatch, err::kTypeMismatch, {}},
      {Fault::ObjectNotSet, err::kObjectVariableNotSet, {}},
      {Fault::NoSuchMember, err::kNoSuchMember, {}},
      {Fault::ServerGone, err::kRemoteServerGone, {}},
      {Fault::MethodFailed, err::kMethodFailed, {}},
      {Fault::RangeAddressInvalid, err::kMethodFailed, u"'_Worksheet' 개체의 'Range' 메서드가 실패했습니다."},
      {Fault::RangeSelectFailed, err::kMethodFailed, u"Range 클래스의 Select 메서드가 실패했습니다."},
      {Fault::RangeActivateFailed, err::kMethodFailed, u"Range 클래스의 Activate 메서드가 실패했습니다."},
      {Fault::SheetSelectFailed, err::kMethodFailed, u"Worksheet 클래스의 Select 메서드가 실패했습니다."},
      {Fault::SheetActivateFailed, err::kMethodFailed, u"Worksheet 클래스의 Activate 메서드가 실패했습니다."},
      {Fault::SheetNameInvalid, err::kMethodFailed, u"Worksheet 클래스의 Name 속성을 설정할 수 없습니다."},
      {Fault::SheetNameTaken, err::kMethodFailed,
       u"다른 시트, 참조된 개체 라이브러리 또는 Visual Basic에서 참조하는 통합 문서와 같은 이름으로 시트 이름을 바꿀 수 없습니다."},
      {Fault::SheetVisibleFailed, err::kMethodFailed, u"Worksheet 클래스의 Visible 속성을 설정할 수 없습니다."},
      {Fault::SheetDeleteFailed, err::kMethodFailed, u"Worksheet 클래스의 Delete 메서드가 실패했습니다."},
      {Fault::BordersItemFailed, err::kMethodFailed, u"Borders 클래스의 Item 속성을 가져올 수 없습니다."},
      {Fault::MacroNotFound, err::kMethodFailed, u"' 매크로를 찾을 수 없습니다."},
      {Fault::ObjectDeleted, err::kDisconnected, {}},
  }};
  return entries;
}

const FaultEntry& entry(Fault f) {
  for (const auto& e : table()) {
    if (e.fault == f) return e;
  }
  return table()[static_cast<size_t>(Fault::MethodFailed)];
}

}  // namespace

int32_t fault_number(Fault f) { return entry(f).number; }
const std::u16string& fault_description(Fault f) {
  const FaultEntry& e = entry(f);
  return e.description.empty() ? error_description(e.number) : e.description;
}

void raise(Fault f) { throw AutomationError(fault_number(f), fault_description(f)); }

void raise_macro_not_found(const std::u16string& macro) {
  throw AutomationError(fault_number(Fault::MacroNotFound), u"'" + macro + fault_description(Fault::MacroNotFound));
}

void raise_failed(std::u16string description) {
  throw AutomationError(err::kMethodFailed, std::move(description));
}

}  // namespace tabrel::xl

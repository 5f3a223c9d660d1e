#include "spreadsheet/automation/errors.h"

#include <array>

namespace tabrel::xl {
namespace {

struct FaultEntry {
  Fault fault;
  int32_t number;
  std::u16string description;
};

constexpr int32_t kOutOfMemory = 7;
constexpr int32_t kObjectRequired = 91;
constexpr int32_t kRemoteServerGone = 462;
constexpr int32_t kDisconnected = -2147417848;  // 0x80010108

const std::array<FaultEntry, 20>& table() {
  static const std::array<FaultEntry, 20> entries = {{
      {Fault::InvalidArgument, err::kInvalidProcedureCall, u"프로시저 호출 또는 인수가 잘못되었습니다."},
      {Fault::OutOfMemory, kOutOfMemory, u"메모리가 부족합니다."},
      {Fault::SubscriptOutOfRange, err::kSubscriptOutOfRange, u"아래 첨자 사용이 잘못되었습니다."},
      {Fault::TypeMismatch, err::kTypeMismatch, u"형식이 일치하지 않습니다."},
      {Fault::ObjectNotSet, kObjectRequired, u"개체 변수 또는 With 블록 변수가 설정되어 있지 않습니다."},
      {Fault::NoSuchMember, err::kNoSuchMember, u"개체가 이 속성 또는 메서드를 지원하지 않습니다."},
      {Fault::ServerGone, kRemoteServerGone, u"원격 서버 컴퓨터가 없거나 사용할 수 없습니다."},
      {Fault::MethodFailed, err::kMethodFailed, u"응용 프로그램 정의 오류 또는 개체 정의 오류입니다."},
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
      {Fault::ObjectDeleted, kDisconnected, u"자동화 오류입니다. 호출된 개체와 클라이언트의 연결이 끊어졌습니다."},
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
const std::u16string& fault_description(Fault f) { return entry(f).description; }

void raise(Fault f) { throw AutomationError(fault_number(f), fault_description(f)); }

void raise_macro_not_found(const std::u16string& macro) {
  throw AutomationError(fault_number(Fault::MacroNotFound), u"'" + macro + fault_description(Fault::MacroNotFound));
}

void raise_failed(std::u16string description) {
  throw AutomationError(err::kMethodFailed, std::move(description));
}

}  // namespace tabrel::xl

#include "spreadsheet/automation/errors.h"

#include <array>

namespace tabrel::xl {
namespace {

struct FaultEntry {
  Fault fault;
  int32_t number;
  std::u16string description;
};

const std::array<FaultEntry, 7>& table() {
  static const std::array<FaultEntry, 7> entries = {{
      {Fault::SubscriptOutOfRange, err::kSubscriptOutOfRange, u"아래 첨자 사용이 잘못되었습니다."},
      {Fault::TypeMismatch, err::kTypeMismatch, u"형식이 일치하지 않습니다."},
      {Fault::ObjectNotSet, 91, u"개체 변수 또는 With 블록 변수가 설정되어 있지 않습니다."},
      {Fault::NoSuchMember, err::kNoSuchMember, u"개체가 이 속성 또는 메서드를 지원하지 않습니다."},
      {Fault::ServerGone, 462, u"원격 서버 컴퓨터가 없거나 사용할 수 없습니다."},
      {Fault::MethodFailed, err::kMethodFailed, u"응용 프로그램 정의 오류 또는 개체 정의 오류입니다."},
      {Fault::ObjectDeleted, -2147221080, u"자동화 오류입니다. 개체가 클라이언트에서 연결이 끊겼습니다."},
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

void raise_failed(std::u16string description) {
  throw AutomationError(err::kMethodFailed, std::move(description));
}

}  // namespace tabrel::xl

#include "spreadsheet/core/run_time_errors.h"

#include <array>

namespace tabrel {
namespace {

struct Description {
  int32_t number;
  std::u16string text;
};

const std::array<Description, 16>& descriptions() {
  static const std::array<Description, 16> table = {{
      {err::kInvalidProcedureCall, u"프로시저 호출 또는 인수가 잘못되었습니다."},
      {err::kOverflow, u"오버플로"},
      {err::kOutOfMemory, u"메모리가 부족합니다."},
      {err::kSubscriptOutOfRange, u"아래 첨자 사용이 잘못되었습니다."},
      {err::kDivisionByZero, u"0으로 나누었습니다."},
      {err::kTypeMismatch, u"형식이 일치하지 않습니다."},
      {err::kFileNotFound, u"파일을 찾을 수 없습니다."},
      {err::kPermissionDenied, u"사용 권한이 없습니다."},
      {err::kObjectVariableNotSet, u"개체 변수 또는 With 블록 변수가 설정되어 있지 않습니다."},
      {err::kInvalidUseOfNull, u"Null을 잘못 사용했습니다."},
      {err::kInvalidPropertyValue, u"속성 값이 잘못되었습니다."},
      {err::kObjectRequired, u"개체가 필요합니다."},
      {err::kNoSuchMember, u"개체가 이 속성 또는 메서드를 지원하지 않습니다."},
      {err::kRemoteServerGone, u"원격 서버 컴퓨터가 없거나 사용할 수 없습니다."},
      {err::kMethodFailed, u"응용 프로그램 정의 오류 또는 개체 정의 오류입니다."},
      {err::kDisconnected, u"자동화 오류입니다. 호출된 개체와 클라이언트의 연결이 끊어졌습니다."},
  }};
  return table;
}

}  // namespace

const std::u16string& error_description(int32_t number) {
  for (const Description& d : descriptions())
    if (d.number == number) return d.text;
  return error_description(err::kMethodFailed);
}

void raise_error(int32_t number) { throw AutomationError(number, error_description(number)); }

}  // namespace tabrel

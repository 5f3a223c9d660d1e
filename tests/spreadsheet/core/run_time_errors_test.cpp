#include <gtest/gtest.h>

#include "spreadsheet/core/run_time_errors.h"

namespace tabrel {
namespace {

AutomationError caught(void (*f)()) {
  try {
    f();
  } catch (const AutomationError& e) {
    return e;
  }
  ADD_FAILURE() << "nothing raised";
  return AutomationError(0, u"");
}

// 91 is a member used through Nothing, 424 a missing object; 9 has one text.
TEST(RunTimeErrors, OneDescriptionPerNumber) {
  EXPECT_EQ(error_description(err::kObjectVariableNotSet), u"개체 변수 또는 With 블록 변수가 설정되어 있지 않습니다.");
  EXPECT_EQ(error_description(err::kObjectRequired), u"개체가 필요합니다.");
  EXPECT_EQ(error_description(err::kSubscriptOutOfRange), u"아래 첨자 사용이 잘못되었습니다.");
  EXPECT_EQ(error_description(12345), error_description(err::kMethodFailed));
  const AutomationError e = caught([] { raise_error(err::kOverflow); });
  EXPECT_EQ(e.number(), 6);
  EXPECT_EQ(e.description(), u"오버플로");
}

TEST(RunTimeErrors, NothingRaisesObjectVariableNotSet) {
  const AutomationError by_ref = caught([] { deref(std::shared_ptr<int>()); });
  EXPECT_EQ(by_ref.number(), 91);
  EXPECT_EQ(by_ref.description(), error_description(91));
  EXPECT_EQ(caught([] { required(std::shared_ptr<int>()); }).number(), 91);
  auto five = std::make_shared<int>(5);
  EXPECT_EQ(deref(five), 5);
  EXPECT_EQ(required(five), five);
}

}  // namespace
}  // namespace tabrel

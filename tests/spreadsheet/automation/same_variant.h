#pragma once
// EXPECT_TRUE(same_variant(got, expected)): the same type and value (Variant::same_as), with
// both values printed when they differ.

#include <gtest/gtest.h>

#include <exception>
#include <string>

#include "spreadsheet/core/text.h"
#include "spreadsheet/core/variant.h"

namespace tabrel {

inline std::string describe_variant(const Variant& v) {
  const std::string type = to_utf8(v.type_name());
  if (v.is_empty() || v.is_null() || v.is_object()) return type;
  if (v.is_array()) return type + " of " + std::to_string(v.arr().items.size()) + " items";
  if (v.is_error()) return "Error " + std::to_string(v.error_code());
  try {
    return type + " \"" + to_utf8(v.to_string()) + "\"";
  } catch (const std::exception&) {
    return type;
  }
}

inline ::testing::AssertionResult same_variant(const Variant& got, const Variant& expected) {
  if (got.same_as(expected)) return ::testing::AssertionSuccess() << "both are " << describe_variant(got);
  return ::testing::AssertionFailure() << "got " << describe_variant(got) << ", expected " << describe_variant(expected);
}

}  // namespace tabrel

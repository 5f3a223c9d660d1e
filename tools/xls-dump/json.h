#pragma once
// A small JSON value with a writer (keys sorted, two-space indent optional) and a strict
// reader, for the dump tool and the tests that compare its output with other readers' dumps.

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tabrel::json {

class Value;
using Array = std::vector<Value>;
using Object = std::map<std::string, Value>;  // keys in UTF-8, sorted

class Value {
 public:
  Value() = default;
  Value(std::nullptr_t) {}
  Value(bool b) : data_(b) {}
  Value(double d) : data_(d) {}
  Value(int i) : data_(static_cast<double>(i)) {}
  Value(unsigned i) : data_(static_cast<double>(i)) {}
  Value(long long i) : data_(static_cast<double>(i)) {}
  Value(std::string s) : data_(std::move(s)) {}
  Value(const char* s) : data_(std::string(s)) {}
  Value(Array a) : data_(std::move(a)) {}
  Value(Object o) : data_(std::move(o)) {}

  bool is_null() const { return data_.index() == 0; }
  bool is_bool() const { return data_.index() == 1; }
  bool is_number() const { return data_.index() == 2; }
  bool is_string() const { return data_.index() == 3; }
  bool is_array() const { return data_.index() == 4; }
  bool is_object() const { return data_.index() == 5; }
  bool as_bool() const { return std::get<bool>(data_); }
  double as_number() const { return std::get<double>(data_); }
  const std::string& as_string() const { return std::get<std::string>(data_); }
  const Array& as_array() const { return std::get<Array>(data_); }
  const Object& as_object() const { return std::get<Object>(data_); }
  Array& as_array() { return std::get<Array>(data_); }
  Object& as_object() { return std::get<Object>(data_); }
  // Member of an object; a null value when absent or when this is not an object.
  const Value& operator[](std::string_view key) const;

  bool operator==(const Value&) const = default;

 private:
  std::variant<std::nullptr_t, bool, double, std::string, Array, Object> data_{nullptr};
};

struct ParseError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// `depth`: the nesting at which the value stands within a larger document (its indentation).
std::string write(const Value& v, bool indent = true, int depth = 0);

// Throws ParseError with the byte offset of the fault. Nesting is limited to 256 levels.
Value parse(std::string_view text);

}  // namespace tabrel::json

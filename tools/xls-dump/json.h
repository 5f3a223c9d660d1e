#pragma once
// A small JSON value with a writer (keys sorted, two-space indent optional) and a strict
// reader, for the dump tool and the tests that compare its output with other readers' dumps.

#include <cstdint>
#include <map>
#include <ostream>
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

// Writes one document to a stream as it is produced, indented as write() indents, for
// documents too large to hold as a Value. Keys come in the order they are given.
class StreamWriter {
 public:
  explicit StreamWriter(std::ostream& out) : out_(out) {}
  StreamWriter(const StreamWriter&) = delete;
  StreamWriter& operator=(const StreamWriter&) = delete;
  ~StreamWriter() { flush(); }
  void begin_object() { open('{'); }
  void end_object() { close('}'); }
  void begin_array() { open('['); }
  void end_array() { close(']'); }
  // The key of the next member of the current object.
  void key(std::string_view name);
  // A whole value at the current place: a member after key(), an item of an array, or the
  // document.
  void value(const Value& v);
  // A value written already, as write(v, true, depth()) writes it (for a value repeated often).
  void written_value(std::string_view text);
  int depth() const { return static_cast<int>(has_items_.size()); }
  // Hands what is written so far to the stream (done when the document closes, and as the
  // text grows: writing goes to the stream in large pieces).
  void flush();

 private:
  void open(char bracket);
  void close(char bracket);
  void start_item();
  void new_line(size_t indent);
  void flush_when_full();

  std::ostream& out_;
  std::vector<bool> has_items_;  // per open object or array
  bool after_key_ = false;
  std::string pending_;  // written, not yet handed to the stream
};
// Throws ParseError with the byte offset of the fault. Nesting is limited to 256 levels.
Value parse(std::string_view text);

}  // namespace tabrel::json

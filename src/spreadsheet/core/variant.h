#pragma once
// The value type of the automation layer and of the ported procedures, with the macro
// language's semantics: Empty, Null, Integer (16-bit), Long, Single, Double, Currency, Date,
// String, Boolean (-1/0), Error, Object and arrays. Null is "mixed" or "not set".

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tabrel {

// Base of every object the automation layer hands out (Range, Font, Workbook ...).
class Dispatch {
 public:
  virtual ~Dispatch() = default;
  // Name of the object's class as the language reports it (TypeName).
  virtual std::u16string type_name() const = 0;
};

enum class VarType : uint16_t {
  Empty = 0,
  Null = 1,
  Integer = 2,
  Long = 3,
  Single = 4,
  Double = 5,
  Currency = 6,
  Date = 7,
  String = 8,
  Object = 9,
  Error = 10,
  Boolean = 11,
  Array = 8192,
};

// Cell error values as the automation layer returns them (CVErr numbers).
enum class CellError : int32_t {
  Null = 2000,   // #NULL!
  Div0 = 2007,   // #DIV/0!
  Value = 2015,  // #VALUE!
  Ref = 2023,    // #REF!
  Name = 2029,   // #NAME?
  Num = 2036,    // #NUM!
  NA = 2042,     // #N/A
};
std::u16string cell_error_text(CellError e);
std::optional<CellError> cell_error_from_text(std::u16string_view text);

class Variant;

// A one- or two-dimensional array with lower bounds (LBound), stored row-major.
struct VariantArray {
  std::vector<int32_t> lower;   // one entry per dimension
  std::vector<int32_t> extent;  // element count per dimension
  std::vector<Variant> items;
};

class Variant {
 public:
  struct NullTag {};
  struct CurrencyValue { int64_t scaled; };  // value * 10000
  struct DateValue { double serial; };
  struct ErrorValue { int32_t code; };

  Variant() = default;
  static Variant null() { Variant v; v.data_ = NullTag{}; return v; }
  static Variant integer(int16_t i) { Variant v; v.data_ = i; return v; }
  static Variant long_(int32_t i) { Variant v; v.data_ = i; return v; }
  static Variant single(float f) { Variant v; v.data_ = f; return v; }
  static Variant date(double serial) { Variant v; v.data_ = DateValue{serial}; return v; }
  static Variant currency(int64_t scaled) { Variant v; v.data_ = CurrencyValue{scaled}; return v; }
  static Variant error(int32_t code) { Variant v; v.data_ = ErrorValue{code}; return v; }
  static Variant error(CellError e) { return error(static_cast<int32_t>(e)); }
  static Variant array(VariantArray a);

  Variant(double d) : data_(d) {}
  Variant(int i) : data_(static_cast<int32_t>(i)) {}
  Variant(bool b) : data_(b) {}
  Variant(std::u16string s) : data_(std::move(s)) {}
  Variant(const char16_t* s) : data_(std::u16string(s)) {}
  Variant(std::shared_ptr<Dispatch> o) : data_(std::move(o)) {}

  VarType type() const;
  bool is_empty() const { return std::holds_alternative<std::monostate>(data_); }
  bool is_null() const { return std::holds_alternative<NullTag>(data_); }
  bool is_numeric() const;  // Integer, Long, Single, Double, Currency, Date, Boolean
  bool is_string() const { return std::holds_alternative<std::u16string>(data_); }
  bool is_error() const { return std::holds_alternative<ErrorValue>(data_); }
  bool is_object() const { return std::holds_alternative<std::shared_ptr<Dispatch>>(data_); }
  bool is_array() const { return std::holds_alternative<std::shared_ptr<VariantArray>>(data_); }
  bool is_bool() const { return std::holds_alternative<bool>(data_); }

  // Raw access; the caller has checked the type.
  const std::u16string& str() const { return std::get<std::u16string>(data_); }
  bool boolean() const { return std::get<bool>(data_); }
  int32_t error_code() const { return std::get<ErrorValue>(data_).code; }
  const std::shared_ptr<Dispatch>& object() const { return std::get<std::shared_ptr<Dispatch>>(data_); }
  const VariantArray& arr() const { return *std::get<std::shared_ptr<VariantArray>>(data_); }
  // The elements for writing; when another Variant shares them they are copied first, so that
  // arrays keep the language's value semantics.
  VariantArray& arr_for_edit();

  // Conversions with the language's rules; they raise AutomationError 13 (type mismatch),
  // 6 (overflow) or 94 (invalid use of Null) where the language raises.
  double to_double() const;   // CDbl: numeric strings are read, Empty is 0, True is -1
  int32_t to_long() const;    // CLng: banker's rounding
  int16_t to_integer() const; // CInt
  bool to_bool() const;       // CBool: "True"/"False" and numbers
  std::u16string to_string() const;  // CStr: Single to 7 digits, Double to 15, dates short form

  // TypeName of the value ("Empty", "Null", "Integer", ..., "Range" for objects).
  std::u16string type_name() const;

  // Exact equality of type and value (for tests and tables, not the language's "=").
  bool same_as(const Variant& other) const;

 private:
  using Data = std::variant<std::monostate, NullTag, int16_t, int32_t, float, double, CurrencyValue, DateValue,
                            std::u16string, bool, ErrorValue, std::shared_ptr<Dispatch>,
                            std::shared_ptr<VariantArray>>;
  Data data_;
};

// The language's comparison operators: Null on either side gives Null (std::nullopt);
// a number compares with a numeric string by value, with other strings as text; Empty is 0 or "".
// Raises type mismatch for errors, objects and arrays.
std::optional<int> compare(const Variant& a, const Variant& b, bool text_compare = false);
std::optional<bool> equals(const Variant& a, const Variant& b);

// Numeric text as CDbl reads it (blanks around, sign, decimals, exponent, thousands commas).
std::optional<double> parse_number(std::u16string_view text);

// CStr of a Double (15 significant digits) and of a Single (7), as the language prints them.
std::u16string double_to_string(double d);
std::u16string single_to_string(float f);

}  // namespace tabrel

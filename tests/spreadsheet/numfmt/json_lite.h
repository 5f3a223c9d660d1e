#pragma once
// A small JSON reader for the corpus's expected dumps (objects, arrays, strings, numbers,
// booleans, null); enough for tests, not a general library.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tabrel::testing {

struct Json {
  using Object = std::map<std::string, Json>;
  using Array = std::vector<Json>;
  std::variant<std::monostate, bool, double, std::string, std::shared_ptr<Array>, std::shared_ptr<Object>> value;

  const Json* get(const std::string& key) const;
  const Array* array() const;
  const Object* object() const;
  const std::string* string() const { return std::get_if<std::string>(&value); }
  const double* number() const { return std::get_if<double>(&value); }
  const bool* boolean() const { return std::get_if<bool>(&value); }
};

// nullopt on malformed input.
std::optional<Json> parse_json(std::string_view text);

// Reads a file, gunzipping it when its name ends in ".gz".
std::optional<std::string> read_file_maybe_gz(const std::string& path);

}  // namespace tabrel::testing

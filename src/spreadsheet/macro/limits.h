#pragma once
// What one macro run may use. A run over a limit stops with a reason in its log; a string or
// array over its size limit raises the language's error (14 out of string space, 7 out of memory).

#include <cstddef>
#include <cstdint>

namespace tabrel::macro {

struct Limits {
  uint64_t statements = 5'000'000;  // instructions executed in one run
  double seconds = 5.0;             // wall-clock time of one run
  int call_depth = 100;             // nested procedure calls
  int eval_depth = 2000;            // nested evaluations (procedure calls inside expressions count)
  size_t string_units = 16u << 20;  // UTF-16 units of one string
  size_t array_items = 1u << 20;    // elements of one array
};

}  // namespace tabrel::macro

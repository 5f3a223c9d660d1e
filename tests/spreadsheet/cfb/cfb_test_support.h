#pragma once
// Helpers of the compound-file tests: sample bytes, patching a file in place, exact errors.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "spreadsheet/cfb/error.h"

namespace tabrel::cfb::testing {

// Bytes that differ from stream to stream and from sector to sector.
inline std::vector<uint8_t> sample_bytes(size_t size, uint8_t seed) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 9));
  return bytes;
}

inline void put_u16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  bytes.at(at) = static_cast<uint8_t>(value);
  bytes.at(at + 1) = static_cast<uint8_t>(value >> 8);
}

inline void put_u32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}

// Runs `action` and checks that it raises `code` with exactly `message`.
template <class Action>
void expect_error(Action action, ErrorCode code, const std::string& message) {
  try {
    action();
    ADD_FAILURE() << "no error; expected: " << message;
  } catch (const Error& e) {
    EXPECT_EQ(e.code(), code) << e.what();
    EXPECT_EQ(std::string(e.what()), message);
  }
}

}  // namespace tabrel::cfb::testing

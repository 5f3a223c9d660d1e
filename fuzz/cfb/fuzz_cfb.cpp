// Opens arbitrary bytes as a compound file in both modes and reads every stream: anything but
// a cfb::Error is a fault. Reading the streams together (bytes shared between entries) must give
// what reading them one by one gives. Whatever reads completely is written again, and the
// writer's output must open strictly with the same streams.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/cfb/compound_writer.h"

namespace {

using tabrel::cfb::CompoundFile;
using tabrel::cfb::CompoundWriter;
using tabrel::cfb::Entry;
using tabrel::cfb::EntryType;
using tabrel::cfb::Error;
using tabrel::cfb::Mode;

// The copy, or nothing when some stream does not read or a name does not suit the writer.
std::optional<std::vector<uint8_t>> open_read_and_rewrite(const uint8_t* data, size_t size, Mode mode) {
  try {
    const CompoundFile file = CompoundFile::open(std::vector<uint8_t>(data, data + size), mode);
    CompoundWriter writer;
    bool complete = true;
    for (const Entry& entry : file.entries()) {
      try {
        if (entry.type == EntryType::Stream)
          writer.add_stream(entry.path, file.read_stream(entry.path));
        else
          writer.add_storage(entry.path);
      } catch (const Error&) {
        complete = false;
      }
    }
    if (complete) return writer.finish();
  } catch (const Error&) {
  }
  return std::nullopt;
}

// Sibling order differs when the original's siblings were out of order.
std::vector<Entry> sorted_entries(const CompoundFile& file) {
  std::vector<Entry> entries = file.entries();
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.path < b.path; });
  return entries;
}

void check_shared_reads(const uint8_t* data, size_t size) {
  try {
    const CompoundFile file = CompoundFile::open_view(std::span(data, size));
    std::vector<std::u16string> paths;
    for (const Entry& entry : file.entries()) paths.push_back(entry.path);
    const std::vector<CompoundFile::SharedBytes> together = file.read_streams(paths);
    for (size_t i = 0; i < paths.size(); ++i) {
      std::optional<std::vector<uint8_t>> alone;
      try {
        alone = file.read_stream(paths[i]);
      } catch (const Error&) {
      }
      if (alone.has_value() != (together[i] != nullptr) || (alone && *alone != *together[i])) std::abort();
    }
  } catch (const Error&) {
  }
}

void check_copy(const uint8_t* data, size_t size, const std::vector<uint8_t>& copy_bytes) {
  const CompoundFile original = CompoundFile::open(std::vector<uint8_t>(data, data + size));
  const CompoundFile copy = CompoundFile::open(copy_bytes, Mode::Strict);  // must not throw
  if (sorted_entries(copy) != sorted_entries(original)) std::abort();
  for (const Entry& entry : original.entries())
    if (entry.type == EntryType::Stream && copy.read_stream(entry.path) != original.read_stream(entry.path))
      std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  open_read_and_rewrite(data, size, Mode::Strict);
  check_shared_reads(data, size);
  if (const auto copy = open_read_and_rewrite(data, size, Mode::Permissive)) check_copy(data, size, *copy);
  return 0;
}

// cfb-ls FILE [--strict]: prints the storages and streams of a compound file with their sizes,
// then any error met while opening it or reading a stream.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/cfb/message_text.h"

namespace {

using tabrel::cfb::CompoundFile;
using tabrel::cfb::EntryType;

bool read_file(const char* path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  const bool strict = argc == 3 && std::string(argv[2]) == "--strict";
  if (argc != 2 && !strict) {
    std::fprintf(stderr, "usage: cfb-ls FILE [--strict]\n");
    return 2;
  }
  std::vector<uint8_t> bytes;
  if (!read_file(argv[1], bytes)) {
    std::fprintf(stderr, "cfb-ls: cannot read %s\n", argv[1]);
    return 2;
  }
  int status = 0;
  try {
    const CompoundFile file =
        CompoundFile::open(std::move(bytes), strict ? tabrel::cfb::Mode::Strict : tabrel::cfb::Mode::Permissive);
    std::printf("version %u, %u-byte sectors\n", file.major_version(), file.sector_size());
    for (const tabrel::cfb::Entry& entry : file.entries()) {
      if (entry.type == EntryType::Storage) {
        std::printf("%10s  %s/\n", "", tabrel::cfb::display_name(entry.path).c_str());
        continue;
      }
      std::printf("%10llu  %s\n", static_cast<unsigned long long>(entry.size), tabrel::cfb::display_name(entry.path).c_str());
      try {
        file.read_stream(entry.path);
      } catch (const tabrel::cfb::Error& e) {
        std::printf("%10s  error: %s\n", "", e.what());
        status = 1;
      }
    }
  } catch (const tabrel::cfb::Error& e) {
    std::printf("error: %s\n", e.what());
    status = 1;
  }
  return status;
}

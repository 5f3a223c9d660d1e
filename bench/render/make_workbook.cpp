// bench-make-workbook CELLS OUT.xls: writes the benchmarks' generated workbook of CELLS cells
// with our writer, for timing other programs on the same file.

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "generated_workbook.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench-make-workbook CELLS OUT.xls\n");
    return 2;
  }
  const std::vector<uint8_t> bytes = tabrel::bench::generated_file(std::strtoull(argv[1], nullptr, 10));
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return out ? 0 : 1;
}

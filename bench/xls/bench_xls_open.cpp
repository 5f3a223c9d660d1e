// Opening the corpus's largest workbooks from memory: bytes of workbook stream per second.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/xls/reader.h"

namespace {

constexpr size_t kLargestFiles = 4;

std::vector<uint8_t> read_all(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void open_workbook(benchmark::State& state, const std::filesystem::path& path) {
  const auto bytes = read_all(path);
  const auto entry = tabrel::cfb::CompoundFile::open(bytes).find(u"Workbook");
  if (!entry) {
    state.SkipWithError("no workbook stream");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(tabrel::xls::read_workbook(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(entry->size));
}

const bool registered = [] {
  const auto dir = std::filesystem::path(TABREL_SHARED_DIR) / "corpus" / "excel";
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) return false;
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(dir)) files.push_back(e.path());
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
    return std::filesystem::file_size(a) > std::filesystem::file_size(b);
  });
  files.resize(std::min(files.size(), kLargestFiles));
  for (const auto& f : files)
    benchmark::RegisterBenchmark(("open/" + f.filename().string()).c_str(), open_workbook, f)->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace

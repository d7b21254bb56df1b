// Reading the largest frame log the tables take, against reading its bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "store/log_store.h"

namespace {

// 100000 fields: the header, then 50000 alternating 0x80 and 0x7D frames of
// full length; the readers keep 10000 of each and stop there.
const std::string& LargestLogPath() {
  static const std::string path = [] {
    const std::string p = (std::filesystem::temp_directory_path() / "zelk-bench-largest.txt").string();
    std::ofstream out(p, std::ios::binary);
    out << "ZelkLog\r\nECU bench\r\nrecorded\r\n";
    std::string f80 = "80  1C", f7D = "7D  20";
    for (int b = 1; b < 29; ++b) f80 += " 3A";
    for (int b = 1; b < 32; ++b) f7D += " 5C";
    for (int i = 0; i < 49998; ++i) out << f80 << "\r\n" << f7D << "\r\n";
    return p;
  }();
  return path;
}

void BM_ReadFileBytes(benchmark::State& state) {
  const std::string& path = LargestLogPath();
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::string text;
    text.reserve(std::filesystem::file_size(path));
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond);

void BM_ReadFrameLogIntoStore(benchmark::State& state) {
  const std::string& path = LargestLogPath();
  for (auto _ : state) {
    zelk::store::LogData log;
    zelk::store::ReadLogFile(path, log);
    benchmark::DoNotOptimize(log.sampleCount);
  }
  state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}
BENCHMARK(BM_ReadFrameLogIntoStore)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// Reading the largest log of each kind into the store, against reading the
// same file's bytes into memory in the same run.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_logs.h"
#include "store/log_store.h"

namespace zelk::bench {
namespace {

void BM_ReadFileBytes(benchmark::State& state, LogKind kind) {
  const std::string& path = LargestLog(kind);
  for (auto _ : state) {
    std::string text = ReadBytes(path);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}

void BM_LoadLog(benchmark::State& state, LogKind kind) {
  const std::string& path = LargestLog(kind);
  for (auto _ : state) {
    store::LogData log;
    store::ReadLogFile(path, log);
    benchmark::DoNotOptimize(log.sampleCount);
  }
  state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}

[[maybe_unused]] const bool registered = [] {
  for (LogKind kind : kLogKinds) {
    const std::string name = KindName(kind);
    benchmark::RegisterBenchmark(("BM_ReadFileBytes/" + name).c_str(), BM_ReadFileBytes, kind)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_LoadLog/" + name).c_str(), BM_LoadLog, kind)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace zelk::bench

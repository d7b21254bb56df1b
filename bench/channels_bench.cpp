// Decoding and drawing each channel over the largest log of each kind in Full
// Trip: what a click on a channel button costs in the core, the log loaded.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_logs.h"
#include "bench_support.h"
#include "form/user_page.h"

namespace zelk::bench {
namespace {

void BM_ChannelDecodeAndDraw(benchmark::State& state, LogKind kind, const char* button) {
  CountingCanvas canvas;
  form::UserPage page(canvas, ProgramDir());
  page.Form_Load();
  page.OpenPath(LargestLog(kind));
  page.Click(button);  // the columns it reads are split out once, at the first click
  for (auto _ : state) {
    page.Click(button);
    benchmark::DoNotOptimize(canvas.lines);
  }
  state.counters["segments"] = static_cast<double>(canvas.lines);
  state.counters["samples"] = page.session().log().sampleCount - 1;
}

[[maybe_unused]] const bool registered = [] {
  for (LogKind kind : kLogKinds) {
    for (const char* button : kChannelButtons) {
      const std::string name =
          std::string("BM_ChannelDecodeAndDraw/") + KindName(kind) + "/" + button;
      benchmark::RegisterBenchmark(name.c_str(), BM_ChannelDecodeAndDraw, kind, button)
          ->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

}  // namespace
}  // namespace zelk::bench

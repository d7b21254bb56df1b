// The window's canvas painting a 10000-segment graph into its image.
#ifdef ZELK_WITH_WINDOW
#include <benchmark/benchmark.h>

#include "app/canvas_widget.h"
#include "bench_support.h"

namespace {

void BM_CanvasPaint10000Segments(benchmark::State& state) {
  zelk::bench::EnsureApp();
  zelk::app::CanvasWidget canvas;
  canvas.resize(11805 / 15, 4455 / 15);
  for (auto _ : state) {
    canvas.Clear();
    canvas.SetLineWidth(1);
    canvas.DrawLine(550, 100, 550, 4000, 0xFF0000);
    canvas.DrawLine(550, 4000, 11200, 4000, 0xFF0000);
    canvas.SetLineWidth(2);
    float x = 550, y = 3400;
    for (int i = 0; i < 10000; ++i) {
      const float nextY = 4000 - 0.68f * static_cast<float>(800 + (i * 37) % 4000);
      canvas.DrawLine(x, y, x + 1.05f, nextY, 0);
      x += 1.05f;
      y = nextY;
    }
    canvas.Flush();
    benchmark::DoNotOptimize(canvas.image().constBits());
  }
}
BENCHMARK(BM_CanvasPaint10000Segments)->Unit(benchmark::kMillisecond);

}  // namespace
#endif

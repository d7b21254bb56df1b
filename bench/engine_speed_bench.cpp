// Decoding and drawing engine speed for a 10000-sample log in Full Trip.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "chart/canvas.h"
#include "form/user_page.h"

namespace {

// Counts the lines and drops them: the cost measured is the core's alone.
class CountingCanvas : public zelk::chart::Canvas {
 public:
  void Clear() override { lines = 0; }
  void SetLineWidth(int) override {}
  void DrawLine(float, float, float, float, uint32_t) override { ++lines; }
  long lines = 0;
};

std::string TenThousandSampleLog() {
  const std::string path =
      (std::filesystem::temp_directory_path() / "zelk-bench-10000.txt").string();
  std::ofstream out(path, std::ios::binary);
  out << "ZelkLog\r\nECU bench\r\nrecorded\r\n";
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (int i = 0; i < 10000; ++i) {
    const int rpm = 800 + (i * 37) % 4000;
    std::string f80 = "80  1C ";
    f80 += {kHex[(rpm >> 12) & 15], kHex[(rpm >> 8) & 15], ' ', kHex[(rpm >> 4) & 15], kHex[rpm & 15]};
    for (int b = 3; b < 29; ++b) f80 += " 00";
    std::string f7D = "7D  20";
    for (int b = 1; b < 32; ++b) f7D += " 80";
    out << f80 << "\r\n" << f7D << "\r\n";
  }
  return path;
}

void BM_EngineSpeedDecodeAndDraw(benchmark::State& state) {
  static const std::string path = TenThousandSampleLog();
  CountingCanvas canvas;
  zelk::form::UserPage page(canvas, std::filesystem::temp_directory_path().string());
  page.Form_Load();
  page.OpenPath(path);
  for (auto _ : state) {
    page.RPMButton_Click();
    benchmark::DoNotOptimize(canvas.lines);
  }
  state.counters["segments"] = static_cast<double>(canvas.lines - 3);
  state.counters["samples"] = page.log().sampleCount - 1;
}
BENCHMARK(BM_EngineSpeedDecodeAndDraw)->Unit(benchmark::kMillisecond);

}  // namespace

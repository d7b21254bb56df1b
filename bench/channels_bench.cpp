// Decoding and drawing each channel over a 10000-sample log in Full Trip, for
// a frame log and a "Time" column log: what a click on a channel button costs
// in the core.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
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

constexpr const char* kButtons[] = {"RPMButton",      "TemperatureButton", "BatteryButton",
                                    "IgnitionButton", "LambdaButton",      "LoopButton",
                                    "ThrottleButton", "MAPButton",         "STFTButton"};

// Every byte of every frame varies, so that each channel decodes and lists
// values of every width.
std::string FrameLog() {
  const std::string path =
      (std::filesystem::temp_directory_path() / "zelk-bench-channels-frames.txt").string();
  std::ofstream out(path, std::ios::binary);
  out << "ZelkLog\r\nECU bench\r\nrecorded\r\n";
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::mt19937 rng(7);
  const auto frame = [&](const char* code, int size, int bytes) {
    std::string f = code;
    f += ' ';
    f += {' ', kHex[size >> 4], kHex[size & 15]};
    for (int b = 1; b < bytes; ++b) {
      const unsigned v = rng() & 0xFF;
      f += {' ', kHex[v >> 4], kHex[v & 15]};
    }
    return f;
  };
  for (int i = 0; i < 10000; ++i)
    out << frame("80", 0x1C, 29) << "\r\n" << frame("7D", 0x20, 32) << "\r\n";
  return path;
}

std::string TimeLog() {
  const std::string path =
      (std::filesystem::temp_directory_path() / "zelk-bench-channels-time.txt").string();
  std::ofstream out(path, std::ios::binary);
  out << "Time";
  for (int c = 1; c < 33; ++c) out << ",C" << c;
  out << "\r\n";
  std::mt19937 rng(11);
  for (int i = 0; i < 10000; ++i) {
    out << i;
    for (int c = 1; c < 32; ++c) out << ',' << (rng() % 4000) / 10.0;
    out << "\r\n";
  }
  return path;
}

void BM_ChannelDecodeAndDraw(benchmark::State& state, const std::string& (*log)()) {
  CountingCanvas canvas;
  zelk::form::UserPage page(canvas, std::filesystem::temp_directory_path().string());
  page.Form_Load();
  page.OpenPath(log());
  const char* button = kButtons[state.range(0)];
  state.SetLabel(button);
  for (auto _ : state) {
    page.Click(button);
    benchmark::DoNotOptimize(canvas.lines);
  }
  state.counters["segments"] = static_cast<double>(canvas.lines);
  state.counters["samples"] = page.log().sampleCount - 1;
}

const std::string& FrameLogPath() {
  static const std::string path = FrameLog();
  return path;
}
const std::string& TimeLogPath() {
  static const std::string path = TimeLog();
  return path;
}

BENCHMARK_CAPTURE(BM_ChannelDecodeAndDraw, frame_log, &FrameLogPath)
    ->DenseRange(0, 8)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChannelDecodeAndDraw, time_log, &TimeLogPath)
    ->DenseRange(0, 8)
    ->Unit(benchmark::kMillisecond);

}  // namespace

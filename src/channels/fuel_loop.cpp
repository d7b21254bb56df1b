// Channel 6: whether the fuelling runs open loop (0) or closed loop (1).
#include "channels/channels.h"

namespace zelk::channels {
namespace {

// Only the two levels carry words; the blanks clear what an earlier channel
// left on the other labels.
constexpr Labels kLabels = {"Open", " ", " ", " ", " ", "Closed", " "};
// Open (0) on label 0, closed (1) on label 5.
constexpr Axis kAxis = {.bottom = 0, .step = 0.2};

// Byte 10 of the 0x7D frame (0 when it cannot be read), or the closed-loop
// column as stored.
std::string LoopOf(const store::LogData& log, long i) {
  if (log.format != store::kFrameLog) return std::string(ColumnOf(log, i, 12, 9));
  return text::BlankSigned(FrameByteValue(log.Frame7D(i), 10).value_or(0));
}

}  // namespace

Axis AxisLoop(const store::LogData&) { return kAxis; }

void LoadLoop(const store::LogData& log, const ByteChoice&, Tables& tables) {
  FillSeries(tables, log, [&](long i) { return LoopOf(log, i); });
}

View DrawLoop(const store::LogData&, const ByteChoice&, const Window& window, const Tables& tables,
              chart::Canvas& canvas) {
  View view = BeginDraw(canvas, "ECU Fuel Loop Status (Open/Closed)", kLabels, kAxis);
  PlotListed(
      canvas, window, view, tables.data, "Raw Data - ECU Fuel Loop Status",
      [&](std::string& out, long j, double) { out.append(Fitted(tables.data[j], 1)) += ' '; });
  return view;
}

}  // namespace zelk::channels

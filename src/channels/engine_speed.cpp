// Channel 1: engine speed in revolutions per minute.
#include <algorithm>
#include <string>

#include "chart/plot.h"
#include "form/user_page.h"

namespace zelk::form {
namespace {

// The speed of one sample as a signed 16-bit number. A frame too short to
// hold both speed bytes, a byte that is not hexadecimal, or a column value
// that is no number or out of range counts as 0, so the rest of the log is
// still drawn.
int16_t SpeedOf(const store::LogData& log, long i) {
  switch (log.format) {
    case store::kFrameLog: {
      const std::string_view frame = log.Frame80(i);
      const std::string_view high = store::FrameByte(frame, 1);
      const std::string_view low = store::FrameByte(frame, 2);
      if (high.empty() || low.empty()) return 0;
      return text::HexStrict(std::string(high) + std::string(low)).value_or(0);
    }
    case store::kTimeLog:
    case store::kShortTimeLog: {
      const std::string_view column =
          log.format == store::kTimeLog ? log.Column(i, 1) : log.ShortColumn(i, 1);
      const auto value = text::ReadDecimal(column);
      return value ? text::ToInt16(*value).value_or(0) : 0;
    }
  }
  return 0;
}

struct Tick {
  const char* caption;
  int top;
};
constexpr Tick kSpeedLabels[] = {{"0000", 3900}, {"1000", 3280}, {"2000", 2660}, {"3000", 2040},
                                 {"4000", 1420}, {"5000", 800},  {"6000", 180}};

}  // namespace

void UserPage::LoadRPM() {
  vars_.rawText.clear();
  const long last = log_.sampleCount - 1;
  for (long i = 1; i <= last; ++i) {
    std::string speed = text::BlankSigned(SpeedOf(log_, i));
    plotData_.Set(i, speed);
    // The listing shows four digits: 0 as "0000", three digits with a 0 in
    // front of them.
    if (speed == " 0") {
      speed = "0000";
    } else if (speed.size() == 4) {
      speed[0] = '0';
    }
    rpmData_.Set(i, std::move(speed));
  }
  rpmData_.ClearFrom(last + 1);
  plotData_.ClearFrom(last + 1);
}

void UserPage::DrawRPM() {
  vars_.currentChannel = 1;
  DrawGraph();
  Control& title = controls_("ScreenTitle");
  title.state.top = 350;
  title.state.caption = "Engine Speed (RPM)";
  canvas_.SetLineWidth(2);
  canvas_.DrawLine(chart::kAxisX, 250, chart::kAxisRight, 250, chart::kRed);
  for (int k = 0; k < 7; ++k) DoLabel(k, kSpeedLabels[k].caption, 50, kSpeedLabels[k].top);
  vars_.valueScale = 0.68;
  vars_.baseLine = 4000;

  const chart::Window window = chart::WindowOf(vars_.yStart, vars_.yEnd, vars_.xStep);
  std::string& listing = vars_.rawText;
  listing.clear();
  listing.reserve(5 * static_cast<size_t>(std::max(0L, window.count)));
  vars_.startY1 = chart::PlotSeries(
      canvas_, window, {vars_.valueScale, static_cast<double>(vars_.baseLine), 0}, chart::kBlack,
      [&](long j) { return text::LeadingNumber(rpmData_[j]); },
      [&](long j) {
        const std::string& speed = rpmData_[j];
        listing.append(speed, speed.size() > 4 ? speed.size() - 4 : 0);
        listing += ' ';
      });
  controls_("Text").state.caption = "Raw Data - Revolutions/Minute\r\n" + listing;
}

}  // namespace zelk::form

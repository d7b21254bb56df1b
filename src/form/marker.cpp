// The marker: a red strip moved over the graph with the arrow keys, reading
// off one sample, and the step it moves by.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "channels/channels.h"
#include "chart/plot.h"
#include "form/user_page.h"

namespace zelk::form {
namespace {

constexpr int kLeftArrow = 37;
constexpr int kRightArrow = 39;
constexpr int kLeftButton = 1;

constexpr const char* kMarkerPanel[] = {
    "MarkerStepValueText", "MarkerStepValueLabel", "MarkerStepScroll", "DataPointLabel",
    "DataPointText",       "MarkerValueText",      "MarkerValueLabel"};

}  // namespace

double UserPage::MarkerStepValue() const {
  if (const auto* number = std::get_if<int16_t>(&vars_.marker.step)) return *number;
  return text::ReadDecimal(std::get<std::string>(vars_.marker.step)).value_or(0);
}

void UserPage::SetMarkerLabels(bool shown) {
  for (const char* name : kMarkerPanel) controls_(name).state.visible = shown;
  controls_("MarkerInstructions").state.visible = !shown;
}

void UserPage::Form_KeyUp(int keyCode) {
  if (keyCode != kLeftArrow && keyCode != kRightArrow) {
    chart::DrawValueAxis(canvas_);
    return;
  }
  BeginMarkerMove();
  const double step = MarkerStepValue();
  vars_.marker.pos += keyCode == kRightArrow ? step : -step;
  if (vars_.marker.pos < 0) {
    vars_.marker.pos = 0;
    SetMarkerLabels(false);
    return;
  }
  const double span = vars_.window.Span();
  if (vars_.marker.pos >= span) {
    vars_.marker.pos = span;
    return;
  }
  MarkSample();
}

void UserPage::Picture1_MouseDown(int button, double x, double /*y*/) {
  if (button != kLeftButton) return;
  const auto offset = vars_.window.OffsetAt(x);
  if (!offset) return;
  BeginMarkerMove();
  vars_.marker.pos = *offset;
  MarkSample();
}

// What every marker move does first: the step box shows the step in use
// again (a step typed that is no number was never taken, so the box returns
// to the last good step) and the keyboard goes back to the graph.
void UserPage::BeginMarkerMove() {
  const auto* number = std::get_if<int16_t>(&vars_.marker.step);
  SetText("MarkerStepValueText",
          number ? text::Plain(*number) : std::get<std::string>(vars_.marker.step));
  SetFocus("DummyText");
}

// Reads off the sample at the marker inside the window and draws the
// channel's series again over the place the strip disturbed.
void UserPage::MarkSample() {
  const auto drawValueAxis = [this] { chart::DrawValueAxis(canvas_); };
  SetMarkerLabels(true);
  const int i = chart::SampleIndex(vars_.window.yStart + vars_.marker.pos);
  controls_("DataPointText").state.caption = text::Plain(i);
  controls_("Overlay").state.left =
      static_cast<float>(chart::kAxisX + vars_.window.xStep.ToDouble() * vars_.marker.pos);

  const int16_t channel = vars_.graph.channel;
  // Plain references, not a structured binding: the lambdas below capture
  // them, which clang before 16 does not take.
  const chart::SampleTable& plotData = channelTables_.plot[0];
  const chart::SampleTable& plotData2 = channelTables_.plot[1];
  const chart::SampleTable& plotData3 = channelTables_.plot[2];
  if (channel == 1) {
    canvas_.DrawLine(chart::kAxisX, 250, chart::kAxisRight, 250, chart::kRed);
  } else if (channel == 2) {
    const float y = vars_.graph.valueScale == 16 ? 700 : 1000;
    canvas_.DrawLine(chart::kAxisX, y, chart::kAxisRight, y, chart::kRed);
  }
  if (channel == 9) {
    // A stored pressure that is no number shows an empty value.
    const auto pressure = text::ReadDecimal(plotData[i]);
    controls_("MarkerValueText").state.caption =
        pressure ? text::Plain(*pressure * channels::kPsiPerKilopascal) : "";
  } else {
    controls_("MarkerValueText").state.caption = plotData[i];
  }
  if (channel == channels::kUserDefined) DoBits(channelTables_.data[i]);

  const chart::Window window =
      chart::MarkerWindowOf(vars_.window.yStart, vars_.window.yEnd, vars_.window.xStep);
  const double baseLine = vars_.graph.baseLine;
  const auto none = [](long) {};
  const double batteryOffset = channel == 3 ? channels::kBatteryOffset : 0;
  chart::DrawSeries(
      canvas_, window,
      {vars_.graph.valueScale, baseLine, channel == 7 ? channels::kThrottleYOffset : 0.0},
      chart::kBlack, vars_.graph.startY[0],
      [&](long j) { return text::LeadingNumber(plotData[j]) - batteryOffset; }, none);
  // Lambda has a second series only on a frame log; on a column log the
  // table holds whatever an earlier decode left there, so it is not drawn.
  if (channel == 2 || (channel == 5 && log_.format == store::kFrameLog)) {
    chart::DrawSeries(
        canvas_, window, {vars_.graph.valueScale, baseLine, 0}, chart::kGreen,
        vars_.graph.startY[1], [&](long j) { return text::LeadingNumber(plotData2[j]); }, none);
  }
  if (channel == 2) {
    chart::DrawSeries(
        canvas_, window, {vars_.graph.valueScale, baseLine, 0}, chart::kMagenta,
        vars_.graph.startY[2], [&](long j) { return text::LeadingNumber(plotData3[j]); }, none);
  }
  drawValueAxis();
}

void UserPage::MarkerStepValueText_Change() {
  // Only a positive whole number of samples is a step: anything else (no
  // number, 0, a fraction, a negative step that would turn the arrow keys
  // round) is not taken and the previous step stays in use.
  std::string typed = controls_("MarkerStepValueText").state.caption;
  const auto step = text::ReadDecimal(typed);
  if (step && *step >= 1 && *step <= INT16_MAX && *step == static_cast<int>(*step)) {
    vars_.marker.step = std::move(typed);
  }
}

void UserPage::MarkerStepScroll_Change() {
  const int16_t step = static_cast<int16_t>(controls_("MarkerStepScroll").state.value);
  vars_.marker.step = step;
  SetText("MarkerStepValueText", text::BlankSigned(step));
  SetFocus("DummyText");
}

}  // namespace zelk::form

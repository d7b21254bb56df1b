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
  if (const auto* number = std::get_if<int16_t>(&vars_.markerStep)) return *number;
  return text::ReadDecimal(std::get<std::string>(vars_.markerStep)).value_or(0);
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
  vars_.markerPos += keyCode == kRightArrow ? step : -step;
  if (vars_.markerPos < 0) {
    vars_.markerPos = 0;
    SetMarkerLabels(false);
    return;
  }
  const double span = vars_.yEnd - vars_.yStart;
  if (vars_.markerPos >= span) {
    vars_.markerPos = span;
    return;
  }
  MarkSample();
}

void UserPage::Picture1_MouseDown(int button, double x, double /*y*/) {
  const double step = vars_.xStep.ToDouble();
  const double span = vars_.yEnd - vars_.yStart;
  if (button != kLeftButton || !(step > 0) || !(span > 0) || !std::isfinite(x)) return;
  // The channel's draw puts the point of the window's n-th sample (from 0)
  // at 550 + (n + 1) x XStep; the arrow keys mark it at the whole offset n,
  // from 0 up to, not including, the window's span.
  const double nearest = text::RoundHalfEven((x - chart::kAxisX) / step - 1);
  BeginMarkerMove();
  vars_.markerPos = std::clamp(nearest, 0.0, std::ceil(span) - 1);
  MarkSample();
}

// What every marker move does first: the step box shows the step in use
// again (a step typed that is no number was never taken, so the box returns
// to the last good step) and the keyboard goes back to the graph.
void UserPage::BeginMarkerMove() {
  const auto* number = std::get_if<int16_t>(&vars_.markerStep);
  SetText("MarkerStepValueText",
          number ? text::Plain(*number) : std::get<std::string>(vars_.markerStep));
  SetFocus("DummyText");
}

// Reads off the sample at the marker inside the window and draws the
// channel's series again over the place the strip disturbed.
void UserPage::MarkSample() {
  const auto drawValueAxis = [this] { chart::DrawValueAxis(canvas_); };
  SetMarkerLabels(true);
  const int i = chart::SampleIndex(vars_.yStart + vars_.markerPos);
  controls_("DataPointText").state.caption = text::Plain(i);
  controls_("Overlay").state.left =
      static_cast<float>(chart::kAxisX + vars_.xStep.ToDouble() * vars_.markerPos);

  const int16_t channel = vars_.currentChannel;
  // Plain references, not a structured binding: the lambdas below capture
  // them, which clang before 16 does not take.
  const chart::SampleTable& plotData = channelTables_.plot[0];
  const chart::SampleTable& plotData2 = channelTables_.plot[1];
  const chart::SampleTable& plotData3 = channelTables_.plot[2];
  if (channel == 1) {
    canvas_.DrawLine(chart::kAxisX, 250, chart::kAxisRight, 250, chart::kRed);
  } else if (channel == 2) {
    const float y = vars_.valueScale == 16 ? 700 : 1000;
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

  const chart::Window window = chart::MarkerWindowOf(vars_.yStart, vars_.yEnd, vars_.xStep);
  const double baseLine = vars_.baseLine;
  const auto none = [](long) {};
  const double batteryOffset = channel == 3 ? channels::kBatteryOffset : 0;
  chart::DrawSeries(
      canvas_, window,
      {vars_.valueScale, baseLine, channel == 7 ? channels::kThrottleYOffset : 0.0}, chart::kBlack,
      vars_.startY1, [&](long j) { return text::LeadingNumber(plotData[j]) - batteryOffset; },
      none);
  // Lambda has a second series only on a frame log; on a column log the
  // table holds whatever an earlier decode left there, so it is not drawn.
  if (channel == 2 || (channel == 5 && log_.format == store::kFrameLog)) {
    chart::DrawSeries(
        canvas_, window, {vars_.valueScale, baseLine, 0}, chart::kGreen, vars_.startY2,
        [&](long j) { return text::LeadingNumber(plotData2[j]); }, none);
  }
  if (channel == 2) {
    chart::DrawSeries(
        canvas_, window, {vars_.valueScale, baseLine, 0}, chart::kMagenta, vars_.startY3,
        [&](long j) { return text::LeadingNumber(plotData3[j]); }, none);
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
    vars_.markerStep = std::move(typed);
  }
}

void UserPage::MarkerStepScroll_Change() {
  const int16_t step = static_cast<int16_t>(controls_("MarkerStepScroll").state.value);
  vars_.markerStep = step;
  SetText("MarkerStepValueText", text::BlankSigned(step));
  SetFocus("DummyText");
}

}  // namespace zelk::form

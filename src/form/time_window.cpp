// The time window: which samples the graph shows, how far apart, and the
// captions that describe it.
#include <string>

#include "chart/plot.h"
#include "form/user_page.h"

namespace zelk::form {

int UserPage::SelectedWindow() const {
  const ControlState& list = controls_("YAxis").state;
  return list.index < static_cast<int>(list.items.size()) ? list.index : -1;
}

void UserPage::EvalYStart() {
  const int k = SelectedWindow();
  // With no window length chosen the window stays as it is.
  if (k < 0) return;
  Control& previous = controls_("PreviousImage");
  Control& next = controls_("NextImage");
  previous.state.visible = false;
  next.state.visible = false;
  const double samples = log_.sampleCount;
  const auto minutesText = [](double m) { return text::Plain(m) + " mins"; };

  if (k == 0) {
    vars_.winStartMins = 0;
    vars_.winEndMins = vars_.tripMins;
  } else {
    vars_.winEndMins = vars_.winStartMins + tables_.Minutes(k);
    if (vars_.winEndMins < vars_.tripMins) next.state.visible = true;
    if (vars_.winStartMins > 0) previous.state.visible = true;
  }
  controls_("Duration").state.caption =
      minutesText(vars_.winStartMins) + " to " + minutesText(vars_.winEndMins);

  if (k == 0 || vars_.tripMins == 0) {
    // A log shorter than half a minute has no minutes to divide by: every
    // window then shows the whole log.
    vars_.yStart = 1;
    vars_.yEnd = samples - 2;
  } else {
    const double perMinute = samples / vars_.tripMins;
    vars_.yStart = vars_.winStartMins * perMinute;
    if (vars_.yStart < 1) vars_.yStart = 1;
    vars_.yEnd = vars_.yStart + text::RoundHalfEven(tables_.Minutes(k) * perMinute);
  }
  // An empty window (start and end on the same sample) has no step: the
  // channels then draw no segments.
  const double span = vars_.yEnd - vars_.yStart;
  vars_.xStep = span == 0 ? text::Decimal() : text::Decimal::FromDouble(10500.0 / span);

  FillYCaption();

  const double minutes = text::RoundHalfEven(vars_.winEndMins - vars_.winStartMins);
  if (minutes > 0) {
    const double points = text::RoundHalfEven(span);
    double rate = points / minutes / 60;
    rate = text::RoundHalfEven(rate * 100) / 100;
    controls_("DataText", 0).state.caption = text::Plain(points);
    controls_("DataText", 1).state.caption = text::Plain(rate) + "/sec";
    controls_("DataText", 2).state.caption = text::Plain(minutes) + " mins";
  }
}

void UserPage::FillYCaption() {
  const int k = SelectedWindow();
  double t = vars_.winStartMins;
  const double step = (k == 0 ? vars_.tripMins : tables_.Minutes(k)) / 10.0;
  const std::string gap(k == 2 ? 18 : 17, ' ');
  std::string caption = text::FormatFixed(t, 1);
  for (int i = 1; i <= 10; ++i) {
    t += step;
    caption += gap;
    caption += text::FormatFixed(t, 1);
  }
  if (caption.size() > 240) caption.resize(240);
  controls_("YLabel").state.caption = caption;
}

void UserPage::YAxis_Click() {
  EvalYStart();
  DisplayRefresh();
}

void UserPage::NextImage_Click() { MovePage(+1); }
void UserPage::PreviousImage_Click() { MovePage(-1); }

// Moves the window by its own length and puts the marker at its start.
void UserPage::MovePage(int direction) {
  const int k = SelectedWindow();
  if (k < 0) return;
  vars_.winStartMins += direction * tables_.Minutes(k);
  if (vars_.winStartMins < 0) vars_.winStartMins = 0;
  EvalYStart();
  vars_.markerPos = 0;
  controls_("Overlay").state.left = 560;
  controls_("DataPointText").state.caption = text::Plain(chart::SampleIndex(vars_.yStart));
  DisplayRefresh();
}

}  // namespace zelk::form

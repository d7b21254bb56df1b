#include "form/graph.h"

#include <algorithm>

#include "channels/comparison.h"
#include "chart/plot.h"
#include "form/channel_buttons.h"

namespace zelk::form {

void Graph::ResetButtons() {
  for (const ChannelButton& button : ChannelButtons()) {
    controls_.Named(button.key).state.backColour = kButtonFace;
  }
  focus_.Set(ctl::DummyText);
  controls_(ctl::FuelAverageText).state.visible = false;
  selectors_.HideBits();
}

// The channel is decoded from the log (unless it already is) and drawn over
// the window, then shown; the user-defined one keeps its selectors on screen.
bool Graph::Show() {
  const channels::ChannelRow* channel = channels::ChannelOf(session_.channel());
  if (!channel) return false;  // no channel chosen yet
  if (channel->byteChannel) selectors_.Show(true);
  ResetButtons();
  if (const ChannelButton* button = ButtonOf(channel->id)) {
    controls_.Named(button->key).state.backColour = kTitleBar;
  }
  channels::View view = channels::Draw(*channel, session_.log(), session_.byte(), session_.window(),
                                       session_.Decoded(*channel), canvas_);
  // A second log is drawn over the first on the first's scale, paler.
  state_.secondLines = 0;
  if (const std::optional<channels::SecondLog> second = session_.SecondLog()) {
    state_.secondLines = channels::DrawSecondLog(canvas_, *channel, session_.log(), session_.byte(),
                                                 session_.window(), view, *second);
    DrawSecondMarker();
  }
  ApplyView(std::move(view));
  selectors_.Show(channel->byteChannel);
  return true;
}

// Puts a drawn channel onto the controls and into the graph state.
void Graph::ApplyView(channels::View view) {
  state_.channel = view.id;
  // What clearing the graph does to the controls around it: the information
  // label beside the graph goes, the time caption comes.
  controls_(ctl::InfoLabel).state.width = 0;
  controls_(ctl::YLabel).state.visible = true;
  ControlState& title = controls_(ctl::ScreenTitle).state;
  title.top = static_cast<float>(view.titleTop);
  title.caption = std::move(view.title);
  for (int k = 0; k < 7; ++k) DoLabel(k, view.labels[k], view.labelTops[k]);
  state_.valueScale = view.valueScale;
  state_.baseLine = view.baseLine;
  state_.limitY = view.limitY;
  for (int s = 0; s < 3; ++s) {
    if (view.startY[s]) state_.startY[s] = *view.startY[s];
  }
  state_.rawText = std::move(view.rawText);
  controls_(ctl::Text).state.caption = std::move(view.text);
  if (view.averageSum) state_.averageSum = *view.averageSum;
  if (view.excluded) state_.stftExcluded = *view.excluded;
  if (view.average) {
    ControlState& average = controls_(ctl::FuelAverageText).state;
    average.caption = std::move(*view.average);
    average.visible = true;
  }
  if (view.bitsOf) {
    controls_(ctl::BitSurround).state.visible = true;
    controls_(ctl::BitLabel).state.visible = true;
    selectors_.ShowBits(*view.bitsOf);
  }
}

void Graph::DrawSecondMarker() {
  const session::Comparison* comparison = session_.comparison();
  if (!comparison || !comparison->marker) return;
  if (const auto x =
          channels::SecondMarkerX(session_.window(), comparison->alignment, *comparison->marker)) {
    channels::DrawSecondMarker(canvas_, *x, chart::kAxisTop, chart::kAxisBottom);
  }
}

// A value-axis label's left edge is always 50.
void Graph::DoLabel(int index, std::string_view caption, int top) {
  ControlState& label = controls_(ctl::Label, index).state;
  label.caption = caption;
  label.visible = true;
  label.top = static_cast<float>(top);
  label.left = 50;
}

}  // namespace zelk::form

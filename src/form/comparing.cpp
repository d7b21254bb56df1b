#include "form/comparing.h"

#include "store/log_alignment.h"
#include "text/number_text.h"

namespace zelk::form {

void Comparing::AlignMenu_Click() {
  if (!session_.comparison()) return;
  if (session_.AlignAtMarkers()) return;
  messages_.Show(
      "To line the logs up, mark the moment in the first log (the arrow keys or a click on the "
      "graph) and the same moment in the second log (Shift with the arrow keys or with a click), "
      "then choose Align at Marker again.");
}

void Comparing::OffsetMenu_Click() {
  const session::Comparison* comparison = session_.comparison();
  if (!comparison) return;
  offsetRequest_ = text::Plain(store::SecondsOf(comparison->alignment.offset()));
}

void Comparing::TypeOffset(std::string_view typed) {
  const session::Comparison* comparison = session_.comparison();
  if (!comparison) return;
  const store::OffsetReading reading = store::ReadOffset(typed, comparison->alignment);
  if (!reading.offset) {
    messages_.Show(reading.problem);
    return;
  }
  session_.SetOffset(*reading.offset);
}

bool Comparing::MoveOffset(int direction) {
  if (!session_.comparison()) return false;
  focus_.Set(ctl::DummyText);
  return session_.MoveOffset(direction);
}

bool Comparing::StepSecondMarker(int direction) {
  if (!session_.comparison()) return false;
  focus_.Set(ctl::DummyText);
  session_.StepSecondMarker(direction);
  return true;
}

bool Comparing::MarkSecondAt(double x) {
  if (!session_.comparison()) return false;
  focus_.Set(ctl::DummyText);
  session_.MarkSecondAt(x);
  return true;
}

std::optional<ComparisonState> Comparing::State(channels::ChannelId channel, long lines) const {
  const session::Comparison* comparison = session_.comparison();
  if (!comparison) return std::nullopt;
  ComparisonState state{
      comparison->name,  store::SecondsOf(comparison->alignment.offset()), std::nullopt, "", lines,
      comparison->marker};
  if (!session_.marker().shown) return state;
  state.sample = comparison->alignment.SecondNearestTo(session_.MarkedSample());
  const channels::ChannelRow* row = channels::ChannelOf(channel);
  if (state.sample && row) {
    const std::optional<channels::SecondLog> second = session_.SecondLog();
    state.value =
        channels::MarkerText(*row, second->log, second->channels.tables(*row), *state.sample);
  }
  return state;
}

void Comparing::Show() {
  const session::Comparison* comparison = session_.comparison();
  controls_(ctl::CompareMenu).state.enabled = session_.file().everLoaded;
  for (const ControlName name : {ctl::OffsetMenu, ctl::AlignMenu, ctl::CloseComparisonMenu}) {
    controls_(name).state.enabled = comparison != nullptr;
  }
  ControlState& legend = controls_(ctl::CompareLabel).state;
  legend.visible = comparison != nullptr;
  legend.caption =
      comparison ? store::OffsetCaption(comparison->name, comparison->alignment.offset()) : "";
}

}  // namespace zelk::form

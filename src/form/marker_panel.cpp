#include "form/marker_panel.h"

#include "chart/plot.h"
#include "store/log_kinds.h"
#include "text/number_text.h"

namespace zelk::form {
namespace {

constexpr ControlName kMarkerPanel[] = {ctl::MarkerStepValueText, ctl::MarkerStepValueLabel,
                                        ctl::MarkerStepScroll,    ctl::DataPointLabel,
                                        ctl::DataPointText,       ctl::MarkerValueText,
                                        ctl::MarkerValueLabel,    ctl::MarkerTimeLabel,
                                        ctl::MarkerTimeText,      ctl::MarkerLogTimeText};

}  // namespace

MarkerPanel::MarkerPanel(Controls& controls, session::Session& session, chart::Canvas& canvas,
                         Focus& focus, Selectors& selectors, const Graph& graph)
    : controls_(controls),
      session_(session),
      canvas_(canvas),
      focus_(focus),
      selectors_(selectors),
      graph_(graph) {
  // Typing in the step box ends as the focus moves on: the box shows the
  // step in use.
  focus_.OnTypingEnded([this] {
    stepBeforeTyping_.reset();
    ShowStepInUse();
  });
}

void MarkerPanel::SetMarkerLabels(bool shown) {
  for (const ControlName name : kMarkerPanel) controls_(name).state.visible = shown;
  controls_(ctl::MarkerInstructions).state.visible = !shown;
  // Only a column log records its own time on each row.
  if (store::KindOf(session_.log().format).frames) {
    controls_(ctl::MarkerLogTimeText).state.visible = false;
  }
}

void MarkerPanel::Arrow(int direction) {
  BeginMarkerMove();
  session_.Step(direction);
}

bool MarkerPanel::MarkEnd(bool last) {
  if (session_.window().MarkerLast() < 0) return false;
  BeginMarkerMove();
  session_.MarkEnd(last);
  return true;
}

void MarkerPanel::Click(double x) {
  if (!session_.window().OffsetAt(x)) return;
  BeginMarkerMove();
  session_.MarkAt(x);
}

void MarkerPanel::MarkSample(long i) {
  if (session_.window().MarkerLast() < 0) return;  // a window without samples
  BeginMarkerMove();
  session_.MarkOffset(i - session_.window().yStart);
}

// A step typed that is no number was never taken, so the box returns to the
// last good step.
void MarkerPanel::BeginMarkerMove() {
  ShowStepInUse();
  focus_.Set(ctl::DummyText);
}

void MarkerPanel::ShowStepInUse() {
  const auto& step = session_.marker().step;
  const auto* number = std::get_if<int16_t>(&step);
  SetStepText(number ? text::Plain(*number) : std::get<std::string>(step));
}

// The step box raises its change event only when its text changes.
void MarkerPanel::SetStepText(std::string text) {
  std::string& caption = controls_(ctl::MarkerStepValueText).state.caption;
  if (caption == text) return;
  caption = std::move(text);
  MarkerStepValueText_Change();
}

void MarkerPanel::TypeStep(std::string text) {
  if (!stepBeforeTyping_) stepBeforeTyping_ = session_.marker().step;
  SetStepText(std::move(text));
}

void MarkerPanel::Show() {
  if (!session_.marker().shown) {
    SetMarkerLabels(false);
    return;
  }
  // The series are drawn again over the place the strip disturbed.
  const channels::ChannelRow* channel = ReadMarker();
  if (!channel) return;
  channels::RedrawAtMarker(*channel, session_.log(), session_.Decoded(*channel), session_.window(),
                           graph_.state(), canvas_);
}

// Puts the strip at the marker's offset and the panel on the sample there:
// its number, the channel's value and, for a byte of flags, its bits.
const channels::ChannelRow* MarkerPanel::ReadMarker() {
  SetMarkerLabels(true);
  controls_(ctl::Overlay).state.left = static_cast<float>(
      chart::kAxisX + session_.window().xStep.ToDouble() * session_.marker().pos);
  return ReadSample(session_.MarkedSample());
}

const channels::ChannelRow* MarkerPanel::ReadSample(long i) {
  lastRead_ = i;
  ShowMarkedSample(i);
  const channels::ChannelRow* channel = channels::ChannelOf(graph_.state().channel);
  if (!channel) return nullptr;
  const channels::Tables& tables = session_.Decoded(*channel);
  controls_(ctl::MarkerValueText).state.caption =
      channels::MarkerText(*channel, session_.log(), tables, i);
  if (channel->byteChannel && controls_(ctl::BitSurround).state.visible) {
    selectors_.ShowBits(tables.data[i]);
  }
  return channel;
}

void MarkerPanel::LogOpened() {
  if (!controls_(ctl::DataPointText).state.visible) return;  // not in use
  SetMarkerLabels(true);
  ReadSample(lastRead_);
}

// The time is the data table's, from the log's start; a column log's row
// also gives the time it recorded.
void MarkerPanel::ShowMarkedSample(long i) {
  controls_(ctl::DataPointText).state.caption = text::Plain(i);
  controls_(ctl::MarkerTimeText).state.caption =
      text::ClockText(store::MinutesOf(i, session_.file().samplesPerMinute));
  const std::string_view logged = session_.log().RowTime(i);
  controls_(ctl::MarkerLogTimeText).state.caption =
      logged.empty() ? std::string() : "Logged " + std::string(logged);
}

void MarkerPanel::Follow() {
  if (!controls_(ctl::DataPointText).state.visible) return;  // not in use
  if (session_.marker().shown) {
    ReadMarker();
    return;
  }
  SetMarkerLabels(false);
  ParkStrip();
}

void MarkerPanel::ParkStrip() { controls_(ctl::Overlay).state.left = chart::kMarkerParked; }

void MarkerPanel::PageTurned() {
  ShowMarkedSample(session_.window().yStart);
  controls_(ctl::Overlay).state.left = chart::kMarkerPageStart;
}

void MarkerPanel::MarkerStepValueText_Change() {
  // Only a whole number of samples from 1 to kLargestStep is a step:
  // anything else (no number, 0, a fraction, a negative step that would turn
  // the arrow keys round, a step longer than any log) is not taken, and the
  // step in use before the typing began stays in use, also where the text on
  // the way to it was a step ("2" of "2.5").
  std::string typed = controls_(ctl::MarkerStepValueText).state.caption;
  const auto step = text::ReadDecimal(typed);
  if (!step || *step < 1 || *step > kLargestStep || *step != static_cast<int>(*step)) {
    if (stepBeforeTyping_) session_.SetStep(*stepBeforeTyping_);
    return;
  }
  session_.SetStep(std::move(typed));
  // The scroll bar's thumb follows a step it can show, without changing
  // the step again, so that the bar's next move goes on from there.
  Control& bar = controls_(ctl::MarkerStepScroll);
  if (*step >= bar.spec.scrollMin && *step <= bar.spec.scrollMax) {
    bar.state.value = static_cast<int>(*step);
  }
}

void MarkerPanel::MarkerStepScroll_Change() {
  const int16_t step = static_cast<int16_t>(controls_(ctl::MarkerStepScroll).state.value);
  session_.SetStep(step);
  SetStepText(text::BlankSigned(step));
  focus_.Set(ctl::DummyText);
}

}  // namespace zelk::form

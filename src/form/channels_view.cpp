#include "form/channels_view.h"

#include <algorithm>
#include <filesystem>

#include "channels/combined.h"
#include "channels/comparison.h"
#include "form/channel_buttons.h"

namespace zelk::form {
namespace {

// Room left of the strips for their value labels, right of them for the
// values at the marker, above them for the first caption, under them for
// the times; and the gap between two strips, which holds a caption.
constexpr double kLeftRoom = 1500, kRightRoom = 3000, kTopRoom = 150, kBottomRoom = 720;
// The lines of a strip's values beside it, apart.
constexpr double kValuePitch = 230;
constexpr double kStripGap = 420;

}  // namespace

void ChannelsView::Show(std::vector<channels::ChannelId> channels) {
  channels_ = std::move(channels);
  DrawStrips();
}

void ChannelsView::SetAxis(channels::StripAxis axis) {
  axis_ = axis;
  DrawStrips();
}

void ChannelsView::SetSize(double width, double height) {
  width_ = width;
  height_ = height;
  DrawStrips();
}

void ChannelsView::Refresh(unsigned changes) {
  if (!shown()) return;
  using namespace session;
  if (changes &
      (kLogChanged | kWindowChanged | kChannelChanged | kByteChanged | kComparisonChanged)) {
    DrawStrips();
  } else if (changes & kMarkerChanged) {
    DrawMarker();
  }
}

chart::Rect ChannelsView::StackArea() const {
  return {kLeftRoom, kTopRoom, std::max(kLeftRoom + 1, width_ - kRightRoom),
          std::max(kTopRoom + 1, height_ - kBottomRoom)};
}

void ChannelsView::DrawStrips() {
  ++generation_;
  stripCanvas_.Clear();
  texts_.clear();
  strips_.clear();
  rects_.clear();
  lines_.clear();
  secondLines_.clear();
  if (shown()) {
    const chart::TimeWindow& window = session_.window();
    strips_ = channels::MakeStrips(session_.Decoding(), channels_, session_.log(), window,
                                   {.axis = axis_});
    rects_ = channels::StackRects(StackArea(), strips_.size(), kStripGap);
    const std::optional<channels::SecondLog> second = session_.SecondLog();
    for (size_t k = 0; k < strips_.size(); ++k) {
      channels::Drawn drawn = channels::DrawStrip(stripCanvas_, strips_[k], window, rects_[k]);
      lines_.push_back(strips_[k].segments);
      secondLines_.push_back(second ? channels::DrawSecondStrip(stripCanvas_, strips_[k],
                                                                session_.log(), window, rects_[k],
                                                                *second)
                                    : 0);
      texts_.insert(texts_.end(), drawn.texts.begin(), drawn.texts.end());
    }
    const channels::Drawn axis = channels::DrawTimeAxis(stripCanvas_, window, StackArea());
    texts_.insert(texts_.end(), axis.texts.begin(), axis.texts.end());
  }
  DrawMarker();
}

// The marker's line through every strip, its time under the axis, and each
// strip's value at the marker to the right of the strip.
void ChannelsView::DrawMarker() {
  markerCanvas_.Clear();
  markerTexts_.clear();
  if (!shown() || !session_.marker().shown) return;
  const long offset = static_cast<long>(session_.marker().pos);
  const channels::Drawn drawn =
      channels::DrawMarker(markerCanvas_, session_.window(), StackArea(), offset);
  markerTexts_ = drawn.texts;
  // The second log's own marker, dashed, through every strip.
  const session::Comparison* comparison = session_.comparison();
  if (comparison && comparison->marker) {
    const chart::Rect area = StackArea();
    if (const auto x = channels::SecondMarkerX(session_.window(), comparison->alignment,
                                               *comparison->marker)) {
      channels::DrawSecondMarker(markerCanvas_, chart::MapX(area, *x), area.top, area.bottom);
    }
  }
  const long sample = session_.MarkedSample();
  const std::optional<channels::SecondLog> second = session_.SecondLog();
  // A strip of several lines gives each value in its line's colour, one
  // under the other, about the strip's middle; a second log's values
  // follow, paler.
  for (size_t k = 0; k < strips_.size(); ++k) {
    const chart::Rect& r = rects_[k];
    const auto& lines = strips_[k].lines;
    std::vector<std::string> values = strips_[k].TextsAt(session_.log(), sample);
    std::vector<uint32_t> colours;
    for (size_t v = 0; v < values.size(); ++v) {
      colours.push_back(v < lines.size() ? lines[v].colour : chart::kBlack);
    }
    if (second) {
      const std::vector<std::string> others = channels::SecondTextsAt(strips_[k], sample, *second);
      for (size_t v = 0; v < others.size(); ++v) {
        values.push_back(others[v]);
        colours.push_back(chart::Paler(v < lines.size() ? lines[v].colour : chart::kBlack));
      }
    }
    const double first =
        (r.top + r.bottom) / 2 - kValuePitch * static_cast<double>(values.size() - 1) / 2;
    for (size_t v = 0; v < values.size(); ++v) {
      markerTexts_.push_back({r.right + 150, first + kValuePitch * static_cast<double>(v),
                              values[v], colours[v], channels::TextAt::Align::Left});
    }
  }
}

std::vector<StripState> ChannelsView::States() const {
  std::vector<StripState> states;
  const bool marked = session_.marker().shown;
  const long sample = session_.MarkedSample();
  for (size_t k = 0; k < strips_.size(); ++k) {
    const channels::Strip& strip = strips_[k];
    const ChannelButton* button = ButtonOf(strip.channel->id);
    StripState state{button ? button->caption : "",
                     strip.first,
                     strip.last,
                     std::nullopt,
                     "",
                     strip.low,
                     strip.high,
                     lines_[k]};
    state.secondLines = secondLines_[k];
    if (marked) {
      state.marker = sample;
      state.value = strip.TextAt(session_.log(), sample);
      if (const std::optional<channels::SecondLog> second = session_.SecondLog()) {
        state.secondValue = channels::SecondTextAt(strip, sample, *second);
      }
    }
    states.push_back(std::move(state));
  }
  return states;
}

std::string ChannelsView::DataCsv() const {
  if (const std::optional<channels::SecondLog> second = session_.SecondLog()) {
    return channels::ComparedStripsCsv(session_.Decoding(), channels_, session_.log(),
                                       session_.window(), *second);
  }
  return channels::StripsCsv(session_.Decoding(), channels_, session_.log(), session_.window(),
                             session_.file().samplesPerMinute);
}

std::string ChannelsView::ExportName() const {
  return std::filesystem::path(session_.file().name).stem().string() + "-channels";
}

std::optional<size_t> ChannelsView::StripAt(double y) const {
  for (size_t k = 0; k < rects_.size(); ++k) {
    if (y >= rects_[k].top && y <= rects_[k].bottom) return k;
  }
  return std::nullopt;
}

std::optional<long> ChannelsView::OffsetAt(double fraction) const {
  return channels::OffsetAtFraction(session_.window(), fraction);
}

double ChannelsView::FractionAt(double x) const {
  const chart::Rect area = StackArea();
  return (x - area.left) / area.Width();
}

double ChannelsView::GraphX(double x) const { return chart::PlotXOf(StackArea(), x); }

}  // namespace zelk::form

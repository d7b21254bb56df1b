// Decodes a log for one channel and draws it over a time window, as the
// window does when the channel's button is clicked, with the checks that every
// channel's decode and draw share.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "channels/channels.h"
#include "chart/canvas.h"
#include "log_text.h"
#include "store/log_kinds.h"
#include "store/log_store.h"

namespace zelk::testing {

using channels::ChannelId;
using testlogs::Frame7DWith;
using testlogs::Frame80With;
using testlogs::FrameLogOf;
using testlogs::ShortTimeLog;
using testlogs::Split;
using testlogs::Texts;
using testlogs::TimeLog;
using Ys = std::vector<float>;

// A 0x80 or 0x7D frame whose text ends after its first two bytes.
inline const std::string kShort80 = "80  1C 00";
inline const std::string kShort7D = "7D  20 00";

// A frame log whose 0x80 frames (page 0) or 0x7D frames (page 1) hold the
// blank-separated `bytes` at byte `b`, one a sample; "-" stands for a frame
// cut off after its first two bytes.
inline std::string FramesWith(int page, int b, const std::string& bytes) {
  Texts frames;
  for (const std::string& byte : Split(bytes, ' ')) {
    if (byte == "-")
      frames.push_back(page == 0 ? kShort80 : kShort7D);
    else
      frames.push_back(page == 0 ? Frame80With({{b, byte}}) : Frame7DWith({{b, byte}}));
  }
  return page == 0 ? FrameLogOf(frames, {}) : FrameLogOf({}, frames);
}

// One decode-and-draw case of a channel: the log, the texts decoded for
// samples 1 to n, '|' between them, the listing box, where the first
// series' drawn segments end, the average line when one is shown, the first
// plotted series where it differs from the data, and how many lines the
// canvas holds when that is checked.
struct Decoded {
  ChannelId id;
  const char* what;
  std::string log;
  std::string data;
  std::string text;
  Ys ys = {};
  std::optional<std::string> average = {};
  std::string plot = {};
  size_t lines = 0;
};

class ChannelTest : public ::testing::Test {
 protected:
  // Decodes and draws on a clean canvas. The tables keep what earlier
  // decodes left, and so does the drawn graph's start of a series not drawn.
  void Show(ChannelId id, const std::string& text, const channels::ByteChoice& choice = {},
            int lengthMins = 0, double startMins = 0) {
    log_ = store::LogData();
    ASSERT_EQ(store::ReadLogText(text, log_).outcome, store::ReadOutcome::Loaded);
    // The window of `lengthMins` minutes (0: the Full Trip) from minute
    // `startMins`, over the trip length that a load works out for the log.
    const double perMinute = store::kLogKinds[log_.format].samplesPerMinute;
    const int trip = text::ToInt16((log_.sampleCount - 1) / perMinute).value_or(0);
    window_ = chart::TimeWindow::Of(log_.sampleCount, trip, lengthMins, startMins, perMinute);
    canvas_ = chart::RecordingCanvas();
    view_ =
        channels::LoadAndDraw(*channels::ChannelOf(id), log_, choice, window_, tables_, canvas_);
    graph_.valueScale = view_.valueScale;
    graph_.baseLine = view_.baseLine;
    graph_.limitY = view_.limitY;
    for (size_t s = 0; s < 3; ++s) graph_.startY[s] = view_.startY[s].value_or(graph_.startY[s]);
  }

  const std::vector<chart::Line>& lines() const { return canvas_.lines(); }

  static Texts TextsOf(const chart::SampleTable& table, size_t n) {
    Texts texts;
    for (size_t i = 1; i <= n; ++i) texts.push_back(table[static_cast<long>(i)]);
    return texts;
  }

  Texts Labels() const { return {view_.labels.begin(), view_.labels.end()}; }

  // The end heights of `count` lines from line `first`.
  Ys EndYs(size_t first, size_t count) const {
    Ys ys;
    for (size_t i = first; i < first + count && i < lines().size(); ++i)
      ys.push_back(lines()[i].y2);
    return ys;
  }

  // Decodes and draws the case and checks its tables, listing, average and
  // first series, whose segments start at line `first` (after the axes and a
  // limit line).
  void ExpectDecoded(const Decoded& c, size_t first = 2) {
    SCOPED_TRACE(c.what);
    Show(c.id, c.log);
    const Texts data = Split(c.data);
    const Texts plot = Split(c.plot.empty() ? c.data : c.plot);
    EXPECT_EQ(TextsOf(tables_.data, data.size()), data);
    EXPECT_EQ(TextsOf(tables_.plot[0], plot.size()), plot);
    EXPECT_EQ(view_.text, c.text);
    EXPECT_EQ(view_.average, c.average);
    EXPECT_EQ(EndYs(first, c.ys.size()), c.ys);
    if (c.lines) {
      EXPECT_EQ(lines().size(), c.lines);
    }
  }

  store::LogData log_;
  channels::Tables tables_;
  chart::TimeWindow window_;
  chart::RecordingCanvas canvas_;
  channels::View view_;
  channels::DrawnGraph graph_;
};

}  // namespace zelk::testing

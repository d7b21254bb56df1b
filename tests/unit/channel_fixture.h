// A started window core that opens a log and shows one channel, with the
// checks that every channel's decode and draw share.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart/plot.h"
#include "page_fixture.h"

namespace zelk::testing {

using testlogs::Frame7DWith;
using testlogs::Frame80With;
using testlogs::FrameLogOf;
using testlogs::ShortTimeLog;
using testlogs::TimeLog;

// A 0x80 or 0x7D frame whose text ends after its first two bytes.
inline const std::string kShort80 = "80  1C 00";
inline const std::string kShort7D = "7D  20 00";

// One decode-and-draw case: the log, the texts decoded for samples 1 to n (in
// Full Trip the last of them lies past the window and is decoded but not
// drawn), the listing box, where the first series' drawn segments end, the
// average line when one is shown, and PlotData where it differs from the data.
struct Decoded {
  const char* what;
  std::string log;
  std::vector<std::string> data;
  std::string text;
  std::vector<float> ys;
  std::optional<std::string> average = {};
  std::vector<std::string> plot = {};
};

class ChannelTest : public PageTest {
 protected:
  void Show(const std::string& log, const char* button) {
    Open(log);
    ASSERT_TRUE(page().Click(button));
  }

  static std::vector<std::string> Texts(const chart::SampleTable& table, size_t n) {
    std::vector<std::string> texts;
    for (size_t i = 1; i <= n; ++i) texts.push_back(table[static_cast<long>(i)]);
    return texts;
  }

  // The end heights of `count` lines from line `first`.
  std::vector<float> EndYs(size_t first, size_t count) {
    std::vector<float> ys;
    for (size_t i = first; i < first + count && i < lines().size(); ++i)
      ys.push_back(lines()[i].y2);
    return ys;
  }

  // Shows the case's channel and checks its tables, listing and first series,
  // whose segments start at line `first` (after the axes and a limit line).
  void ExpectDecoded(const char* button, const Decoded& c, size_t first = 2) {
    SCOPED_TRACE(c.what);
    Show(c.log, button);
    const auto& tables = page().ChannelTables();
    EXPECT_EQ(Texts(tables.data, c.data.size() + 1), [&] {
      auto texts = c.data;
      texts.push_back("");  // nothing is left past the log's last sample
      return texts;
    }());
    EXPECT_EQ(Texts(tables.plot[0], c.data.size()), c.plot.empty() ? c.data : c.plot);
    EXPECT_EQ(state("Text").caption, c.text);
    EXPECT_EQ(state("FuelAverageText").visible, c.average.has_value());
    if (c.average) {
      EXPECT_EQ(state("FuelAverageText").caption, *c.average);
    }
    EXPECT_EQ(EndYs(first, c.ys.size()), c.ys);
    ASSERT_GT(lines().size(), first);
    EXPECT_EQ(lines()[first].x1, 550);
    if (!c.ys.empty()) {
      EXPECT_EQ(lines()[first].y1, c.ys[0]);  // level with the first sample
    }
    EXPECT_EQ(lines()[first].colour, chart::kBlack);
  }
};

}  // namespace zelk::testing

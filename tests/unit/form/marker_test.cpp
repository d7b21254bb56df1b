// A click on the graph moves the marker to the sample whose point lies
// nearest, leaving the window as the arrow keys would that land there.
#include <tuple>

#include "page_fixture.h"

namespace zelk::testing {
namespace {

using testlogs::Hex;

// A frame log whose every channel changes from sample to sample; sample s
// runs at 999 + s rpm.
std::string BusyLog(int samples) {
  std::vector<std::string> frames80, frames7D;
  for (int i = 0; i < samples; ++i) {
    // clang-format off
    frames80.push_back(testlogs::Frame80With({{1, Hex((1000 + i) >> 8)}, {2, Hex(1000 + i)},
        {3, Hex(60 + i % 90)}, {5, Hex(50 + i % 40)}, {6, Hex(70 + i % 30)}, {7, Hex(30 + i % 70)},
        {8, Hex(120 + i % 20)}, {22, Hex(i % 99)}}));
    frames7D.push_back(testlogs::Frame7DWith({{1, Hex(i)}, {2, Hex(i % 90)}, {6, Hex(i % 180)},
        {9, Hex(i % 2)}, {10, Hex(i / 7 % 2)}, {12, Hex(90 + i % 20)}}));
    // clang-format on
  }
  return testlogs::FrameLogOf(frames80, frames7D);
}

// The keys of the controls whose state differs between two windows.
std::vector<std::string> Differences(const form::Controls& a, const form::Controls& b) {
  const auto tie = [](const form::ControlState& s) {
    return std::tie(s.caption, s.visible, s.left, s.top, s.width, s.height, s.items, s.index,
                    s.backColour, s.value, s.folder, s.enabled);
  };
  std::vector<std::string> keys;
  for (size_t k = 0; k < a.all().size(); ++k) {
    if (tie(a.all()[k].state) != tie(b.all()[k].state)) keys.push_back(a.all()[k].Key());
  }
  return keys;
}

class GraphClickTest : public PageTest {
 protected:
  // A new window on a clean canvas showing a log of `samples` samples over
  // the Full Trip, or over the second page of the 2-minute window.
  void Load(int samples, bool paged) {
    TearDown();
    canvas_ = chart::RecordingCanvas();
    SetUp();
    if (samples == 0) return;
    // 3 samples: the Full Trip starts and ends on sample 1.
    Open(samples == 3 ? testlogs::FrameLog(2, {}, "\r\n", 1) : BusyLog(samples));
    ASSERT_EQ(page().log().sampleCount, samples);
    PickWindow(page(), paged);
  }
  static void PickWindow(form::UserPage& p, bool paged) {
    if (paged) {
      ASSERT_TRUE(p.Select("YAxis", 1));
      ASSERT_TRUE(p.Click("NextImage"));
    }
  }
  int First() { return chart::SampleIndex(vars().window.yStart); }
  // Where the channel's draw puts sample j's point.
  double PointOf(int j) { return 550 + (j - First() + 1) * vars().window.xStep.ToDouble(); }
};

TEST_F(GraphClickTest, ClickMovesMarkerToNearestSample) {
  // 580 samples, 4 minutes: the Full Trip runs from sample 1 to 578 and the
  // marker marks 1 to 577; the second 2-minute page runs from 290 to 580 and
  // the marker marks 290 to 579. Pages that start between two samples mark
  // as the arrow keys do, at whole offsets from the page's first sample:
  // 400 samples, page 2 from 266.67; 404 samples, page 2 from 269.33 to 538.33.
  const struct {
    int samples;
    bool paged;
    int near;  // x is this sample's point moved by `steps` steps, or `x` when 0
    double steps, x;
    int sample;
  } cases[] = {
      {580, false, 1, 0, 0, 1},       {580, false, 577, 0, 0, 577},
      {580, false, 200, 0.4, 0, 200}, {580, false, 200, 0.6, 0, 201},
      {580, false, 0, 0, 0, 1},       {580, false, 0, 0, 100, 1},
      {580, false, 0, 0, 11200, 577}, {580, false, 0, 0, 20000, 577},
      {580, true, 290, 0, 0, 290},    {580, true, 579, 0, 0, 579},
      {580, true, 400, -0.3, 0, 400}, {580, true, 400, -0.7, 0, 399},
      {580, true, 0, 0, 100, 290},    {580, true, 0, 0, 20000, 579},
      {400, true, 300, 0, 0, 300},    {404, true, 269, 0, 0, 269},
      {404, true, 0, 0, 0, 269},      {404, true, 0, 0, 20000, 537},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.samples << " " << c.paged << " " << c.near << " " << c.steps << " " << c.x);
    Load(c.samples, c.paged);
    const double step = vars().window.xStep.ToDouble();
    page().Picture1_MouseDown(1, c.near ? PointOf(c.near) + c.steps * step : c.x, 2000);
    EXPECT_EQ(state("DataPointText").caption, std::to_string(c.sample));
    // Past the log's last sample there is no value.
    EXPECT_EQ(state("MarkerValueText").caption,
              c.sample < c.samples ? " " + std::to_string(999 + c.sample) : "");
    EXPECT_EQ(vars().marker.pos, c.sample - First());
    EXPECT_NEAR(state("Overlay").left, 550 + step * (c.sample - First()), 0.01);
    EXPECT_TRUE(state("DataPointText").visible);
    EXPECT_FALSE(state("MarkerInstructions").visible);
  }
}

TEST_F(GraphClickTest, ClickLeavesTheWindowAsTheArrowKeysDo) {
  // Both windows move the marker 10 samples on and take a typed step; then
  // one goes on by the arrow key and the other is clicked where that lands.
  const struct {
    const char* button;
    bool paged;
    int sample;
  } cases[] = {
      {"RPMButton", false, 123},      {"TemperatureButton", true, 333},
      {"BatteryButton", false, 577},  {"IgnitionButton", true, 579},
      {"LambdaButton", false, 40},    {"LoopButton", true, 301},
      {"ThrottleButton", false, 250}, {"MAPButton", true, 450},
      {"STFTButton", false, 12},      {"UserDefinedButton", true, 512},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    Load(580, c.paged);
    chart::RecordingCanvas keysCanvas;
    form::UserPage keys(keysCanvas, dir_);
    keys.Form_Load();
    ASSERT_TRUE(keys.OpenPath(dir_ + "/log.txt"));
    PickWindow(keys, c.paged);
    for (form::UserPage* p : {&page(), &keys}) {
      ASSERT_TRUE(p->Click(c.button));
      p->Form_KeyUp(39);
      ASSERT_TRUE(p->Type("MarkerStepValueText", std::to_string(c.sample - First() - 10)));
    }
    keys.Form_KeyUp(39);
    page().Picture1_MouseDown(1, PointOf(c.sample), 1500);
    ASSERT_EQ(state("DataPointText").caption, std::to_string(c.sample));
    EXPECT_EQ(lines(), keysCanvas.lines());
    EXPECT_EQ(Differences(page().controls(), keys.controls()), std::vector<std::string>{});
    EXPECT_EQ(vars().marker.pos, keys.vars().marker.pos);
    EXPECT_EQ(page().focus(), keys.focus());
  }
}

TEST_F(GraphClickTest, ClickThatMarksNothingChangesNothing) {
  const struct {
    const char* what;
    int samples, button;
  } cases[] = {{"right button", 580, 2}, {"no log", 0, 1}, {"empty window", 3, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.samples, false);
    const std::vector<chart::Line> before = lines();
    const form::Controls controls = page().controls();
    for (const double x : {0.0, 600.0, 5000.0}) page().Picture1_MouseDown(c.button, x, 900);
    EXPECT_EQ(lines(), before);
    EXPECT_EQ(Differences(page().controls(), controls), std::vector<std::string>{});
    EXPECT_TRUE(state("MarkerInstructions").visible);
    EXPECT_EQ(vars().marker.pos, 0);
  }
}

}  // namespace
}  // namespace zelk::testing

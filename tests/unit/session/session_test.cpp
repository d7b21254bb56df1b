// The session on its own, without a form: the window after zooms, pans,
// pages and the way back; the marker after a window, channel or log change;
// the channels decoded once per log and byte, for every view alike.
#include "session/session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "log_text.h"

namespace zelk::testing {
namespace {

using channels::ChannelId;
using Span = std::pair<long, long>;

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("zelk-session-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    session_.Listen([this](unsigned changes) { told_.push_back(changes); });
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // A frame log of `samples` samples (145 a minute), opened.
  bool Open(int samples, const std::string& name = "log.txt") {
    const std::string path = (dir_ / name).string();
    testlogs::WriteFile(path, testlogs::FrameLog(samples, {900, 2500}));
    return session_.Open(path, name).accepted;
  }
  Span Shown() const { return {session_.window().yStart, session_.window().yEnd}; }

  std::filesystem::path dir_;
  session::Session session_;
  std::vector<unsigned> told_;
};

// Each row runs its steps on 20 minutes of log shown 2 minutes at a time and
// names the window it must end on, by the windows met on the way (0 the
// first), and how many zooms deep it is then.
TEST_F(SessionTest, ZoomsPansPagesAndBackEndOnTheRightWindow) {
  using Step = std::function<void(session::Session&)>;
  const Step page = [](session::Session& s) { s.Page(+1); };
  const Step drag = [](session::Session& s) { s.Drag(3000, 6000); };
  const Step wheelIn = [](session::Session& s) { s.Wheel(5000, 1); };
  const Step pan = [](session::Session& s) { s.Pan(2); };
  const Step back = [](session::Session& s) { s.Back(); };
  const Step length = [](session::Session& s) { s.SetWindowLength(2); };
  const struct {
    const char* what;
    std::vector<Step> steps;
    size_t endsOn;  // the index of the window met after that many steps
    size_t depth;
  } cases[] = {
      {"a page", {page}, 1, 0},
      {"back from a drag", {drag, back}, 0, 0},
      {"back from a pan of the list's window", {pan, back}, 0, 0},
      {"a page after a pan and back", {pan, back, page}, 3, 0},
      {"back through two zooms, one at a time", {drag, wheelIn, back}, 1, 1},
      {"a pan of a zoom is no zoom of its own", {drag, pan, back}, 0, 0},
      {"a length leaves the zoom where it began", {page, drag, pan, length}, 1, 0},
      {"back with nothing to go back to", {back}, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(Open(20 * 145 + 1));
    session_.SetWindowLength(2);
    std::vector<Span> met = {Shown()};
    for (const Step& step : c.steps) {
      step(session_);
      met.push_back(Shown());
    }
    EXPECT_EQ(Shown(), met[c.endsOn]);
    EXPECT_EQ(session_.zoomDepth(), c.depth);
    EXPECT_EQ(session_.zoomed(), c.depth > 0);
  }
}

// The marker keeps the sample it marks through a zoom that still shows it,
// is put away by one that does not, starts a page on its first sample, keeps
// its place through a channel change, and after a new log keeps its offset
// where that log has the sample.
TEST_F(SessionTest, TheMarkerFollowsTheWindowChannelAndLog) {
  ASSERT_TRUE(Open(20 * 145 + 1));
  session_.SetWindowLength(5);
  session_.SetStep(int16_t{100});
  ASSERT_TRUE(session_.Step(+1));
  ASSERT_TRUE(session_.Step(+1));
  EXPECT_EQ(session_.MarkedSample(), 201);

  session_.Drag(550, 550 + 400 * session_.window().xStep.ToDouble());  // samples 1 to 401
  EXPECT_TRUE(session_.marker().shown);
  EXPECT_EQ(session_.MarkedSample(), 201);
  session_.Back();
  EXPECT_EQ(session_.MarkedSample(), 201);
  session_.Drag(550 + 300 * session_.window().xStep.ToDouble(), 11000);  // from sample 301
  EXPECT_FALSE(session_.marker().shown);

  session_.Back();
  ASSERT_TRUE(session_.MarkEnd(true));
  EXPECT_EQ(session_.MarkedSample(), session_.window().yEnd);
  session_.Page(+1);
  EXPECT_EQ(session_.MarkedSample(), session_.window().yStart);
  session_.ChooseChannel(ChannelId::Temperatures);
  EXPECT_EQ(session_.MarkedSample(), session_.window().yStart);

  session_.Page(-1);
  ASSERT_TRUE(session_.MarkOffset(300));
  ASSERT_TRUE(Open(400, "short.txt"));  // the same offset is there
  EXPECT_TRUE(session_.marker().shown);
  EXPECT_EQ(session_.MarkedSample(), 301);
  ASSERT_TRUE(Open(100, "shorter.txt"));  // it is not
  EXPECT_FALSE(session_.marker().shown);

  // Stepping before the window's first sample puts the marker away too.
  ASSERT_TRUE(session_.MarkOffset(50));
  session_.Step(-1);
  EXPECT_FALSE(session_.marker().shown);
}

// A refused file changes nothing and tells no view; an accepted one tells
// every view of everything at once, a page turn of the window and marker.
TEST_F(SessionTest, ViewsAreToldWhatChanged) {
  ASSERT_TRUE(Open(500));
  const unsigned opened = told_.back();
  testlogs::WriteFile(dir_ / "bad.txt", "nonsense");
  const session::Opened refused = session_.Open((dir_ / "bad.txt").string(), "bad.txt");
  EXPECT_FALSE(refused.accepted);
  EXPECT_EQ(refused.messages, std::vector<std::string>{"Not a valid ZELK data file: \"" +
                                                       (dir_ / "bad.txt").string() + "\""});
  EXPECT_EQ(session_.file().name, "log.txt");
  session_.SetWindowLength(2);
  told_.clear();
  session_.Page(+1);
  session_.Page(+1);  // past the log's end: no page there
  EXPECT_EQ(opened & session::kLogChanged, session::kLogChanged);
  EXPECT_EQ(told_, std::vector<unsigned>{session::kWindowChanged | session::kMarkerChanged |
                                         session::kPageTurned});
}

// Every view reads the same tables: a channel is decoded once per log, the
// user-defined one again for each byte, and a redraw decodes nothing.
TEST_F(SessionTest, ChannelsAreDecodedOncePerLogAndByte) {
  ASSERT_TRUE(Open(300));
  const channels::ChannelRow& speed = *channels::ChannelOf(ChannelId::EngineSpeed);
  const channels::ChannelRow& byte = *channels::ChannelOf(ChannelId::UserDefined);
  const long channelCount = static_cast<long>(channels::ChannelTable().size());
  const struct {
    const char* what;
    std::function<void()> step;
    long decodes;  // in all, after the step
  } cases[] = {
      {"engine speed", [&] { session_.Decoded(speed); }, 1},
      {"engine speed again", [&] { session_.Decoded(speed); }, 1},
      {"every channel for the values", [&] { session_.ValuesAt(5); }, channelCount},
      {"the values again", [&] { session_.ValuesAt(9); }, channelCount},
      {"another byte", [&] { session_.ChooseByte(0, 4), session_.ValuesAt(5); }, channelCount + 1},
      {"the same byte", [&] { session_.ChooseByte(0, 4), session_.Decoded(byte); },
       channelCount + 1},
      {"another log", [&] { Open(200, "other.txt"), session_.Decoded(speed); }, channelCount + 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.step();
    EXPECT_EQ(session_.decodes(), c.decodes);
  }
}

class SecondLogTest : public SessionTest {
 protected:
  // A log of 60 samples of each kind: a frame log (0.41 s apart), a "Time"
  // log (1 s apart), a "#time" log (0.4 s apart).
  static std::string LogOfKind(int kind) {
    const testlogs::Texts rows(60, "1000");
    if (kind == 0) return testlogs::FrameLog(60, {900, 2500});
    return kind == 1 ? testlogs::TimeLog({{1, rows}}) : testlogs::ShortTimeLog({{1, rows}});
  }
  std::string Write(const std::string& name, const std::string& text) {
    return testlogs::WriteFile(dir_ / name, text);
  }
  void OpenFirst(int kind) {
    ASSERT_TRUE(session_.Open(Write("first.txt", LogOfKind(kind)), "first.txt").accepted);
    session_.SetWindowLength(0);
  }
  void MarkFirst(long sample) { session_.MarkOffset(sample - session_.window().yStart); }
  std::optional<long> SecondAtMarker() const {
    return session_.comparison()->alignment.SecondNearestTo(session_.MarkedSample());
  }
};

// The marker at 12 s of the first log, whatever its kind, reads the second
// log's sample at 12 s of its own time, minus the offset, whatever its kind:
// before its start or after its end, none.
TEST_F(SecondLogTest, EveryPairOfKindsLinesUpByTimeAtEachOffset) {
  const long at12s[] = {30, 13, 31};  // sample 30 of a frame log is at 12 s
  const char* offsets[] = {"0", "+4", "-4", "+20", "-100"};
  const std::optional<long> expected[3][5] = {
      {30, 20, 40, std::nullopt, std::nullopt},
      {13, 9, 17, std::nullopt, std::nullopt},
      {31, 21, 41, std::nullopt, std::nullopt},
  };
  for (int first = 0; first < 3; ++first) {
    for (int second = 0; second < 3; ++second) {
      OpenFirst(first);
      ASSERT_TRUE(session_.Compare(Write("second.txt", LogOfKind(second)), "second.txt").accepted);
      MarkFirst(at12s[first]);
      for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(std::to_string(first) + " " + std::to_string(second) + " " + offsets[k]);
        const auto offset = store::ReadOffset(offsets[k], session_.comparison()->alignment).offset;
        ASSERT_TRUE(offset && session_.SetOffset(*offset));
        EXPECT_EQ(SecondAtMarker(), expected[second][k]);
      }
    }
  }
}

// The offset moves by the marker's step, the second marker is placed on the
// sample at the first marker's time and steps on, and Align at Marker puts
// its sample under the first marker; without a second marker, nothing moves.
TEST_F(SecondLogTest, OffsetStepsAndAlignsAtTheMarkers) {
  OpenFirst(0);
  ASSERT_TRUE(session_.Compare(Write("second.txt", LogOfKind(1)), "second.txt").accepted);
  MarkFirst(30);  // 12 s
  const auto offsetText = [&] {
    return store::OffsetCaption(session_.comparison()->name,
                                session_.comparison()->alignment.offset());
  };
  const struct {
    const char* what;
    std::function<bool()> step;
    bool done;
    std::string caption;
    std::optional<long> secondMarker, atMarker;
  } cases[] = {
      {"align without a second marker", [&] { return session_.AlignAtMarkers(); }, false,
       "second.txt +0.0 s", std::nullopt, 13},
      {"the second marker placed", [&] { return session_.StepSecondMarker(+1); }, true,
       "second.txt +0.0 s", 13, 13},
      {"and stepped by 10", [&] { return session_.StepSecondMarker(+1); }, true,
       "second.txt +0.0 s", 23, 13},
      {"aligned", [&] { return session_.AlignAtMarkers(); }, true, "second.txt -10.0 s", 23, 23},
      {"10 frames later", [&] { return session_.MoveOffset(+1); }, true, "second.txt -5.9 s", 23,
       19},
      {"the second marker at the graph's left", [&] { return session_.MarkSecondAt(0); }, true,
       "second.txt -5.9 s", 7, 19},
      {"stepped back before its start", [&] { return session_.StepSecondMarker(-1); }, true,
       "second.txt -5.9 s", 1, 19},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    told_.clear();
    EXPECT_EQ(c.step(), c.done);
    EXPECT_EQ(offsetText(), c.caption);
    EXPECT_EQ(session_.comparison()->marker, c.secondMarker);
    EXPECT_EQ(SecondAtMarker(), c.atMarker);
    EXPECT_EQ(told_, c.done ? std::vector<unsigned>{session::kComparisonChanged}
                            : std::vector<unsigned>{});
  }
}

// A second log refused is told as a first log would be and leaves both logs
// and their offset; so is one with no first log; a new first log ends it.
TEST_F(SecondLogTest, ARefusedSecondLogLeavesBothAndANewFirstLogEndsIt) {
  const std::string bad = Write("bad.txt", "nonsense");
  EXPECT_EQ(session_.Compare(Write("second.txt", LogOfKind(1)), "second.txt").messages,
            std::vector<std::string>{"Open a log before comparing another log with it."});
  OpenFirst(0);
  ASSERT_TRUE(session_.Compare(Write("second.txt", LogOfKind(1)), "second.txt").accepted);
  session_.SetOffset(3 * store::kTicksPerSecond);
  told_.clear();
  const session::Opened refused = session_.Compare(bad, "bad.txt");
  EXPECT_FALSE(refused.accepted);
  EXPECT_EQ(refused.messages, session_.Open(bad, "bad.txt").messages);
  EXPECT_EQ(refused.messages,
            std::vector<std::string>{"Not a valid ZELK data file: \"" + bad + "\""});
  EXPECT_EQ(session_.file().name, "first.txt");
  EXPECT_EQ(session_.comparison()->name, "second.txt");
  EXPECT_EQ(session_.comparison()->log.format, store::kTimeLog);
  EXPECT_EQ(session_.comparison()->alignment.offset(), 3 * store::kTicksPerSecond);
  EXPECT_TRUE(told_.empty());
  ASSERT_TRUE(Open(100, "another.txt"));
  EXPECT_EQ(session_.comparison(), nullptr);
  EXPECT_TRUE(told_.back() & session::kComparisonChanged);
}

}  // namespace
}  // namespace zelk::testing

// Random user actions on the real window, off screen: the window must stay
// up, every widget must show what its control's state says, and the driver,
// given the same events as a script, must reach the same state.
//
// ZELK_MONKEY_SEED sets the first seed (each run adds its number to it),
// ZELK_MONKEY_EVENTS the actions per run and ZELK_MONKEY_CHECK how many
// actions pass between two checks of the widgets; ZELK_MONKEY_KEEP keeps the
// program folder and the script of events of a run that passed too. The
// default seed is fixed so that the suite gives the same verdict on every
// run; a failure names its seed and keeps its folder and script.
#include "monkey.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cstdio>

#include "session.h"
#include "window_check.h"
#include "window_fixture.h"

namespace zelk::app {
namespace {

constexpr uint32_t kDefaultSeed = 20260419;
constexpr int kDefaultEvents = 5000;
constexpr int kCheckEvery = 20;

uint32_t EnvNumber(const char* name, uint32_t fallback) {
  bool ok = false;
  const uint32_t value = qEnvironmentVariable(name).toUInt(&ok);
  return ok ? value : fallback;
}

class MonkeyTest : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() { Session::SetUpApplication(); }
  Session session_;
};

TEST_P(MonkeyTest, WindowAndDriverAgreeAfterRandomUserActions) {
  const uint32_t seed = EnvNumber("ZELK_MONKEY_SEED", kDefaultSeed) + GetParam();
  const int events = static_cast<int>(EnvNumber("ZELK_MONKEY_EVENTS", kDefaultEvents));
  const int checkEvery = qMax(1, static_cast<int>(EnvNumber("ZELK_MONKEY_CHECK", kCheckEvery)));
  const QString scriptPath = session_.saves() + "/events.script";
  ASSERT_TRUE(session_.Start(scriptPath));
  if (!qEnvironmentVariableIsEmpty("ZELK_MONKEY_KEEP")) session_.Keep();
  std::printf("monkey seed %u, %d actions, program folder %s, events written to %s\n", seed, events,
              qPrintable(session_.root()), qPrintable(scriptPath));
  std::fflush(stdout);
  const std::string where = "seed " + std::to_string(seed) + ", events in " +
                            scriptPath.toStdString() + ", program folder " +
                            session_.root().toStdString();

  MainWindow& window = session_.window();
  Monkey monkey(window, seed, {session_.root(), session_.saves(), session_.Drops()});
  QElapsedTimer timer;
  timer.start();
  std::string mismatch;
  int done = 0;
  while (done < events && mismatch.empty()) {
    monkey.Act();
    ++done;
    if (!window.isVisible()) session_.Keep();
    ASSERT_TRUE(window.isVisible())
        << "action " << done << " (" << monkey.lastAction() << ") closed the window; " << where;
    if (done % checkEvery == 0 || done == events) {
      mismatch = FirstMismatch(window, monkey.folderRowMoved());
    }
    // The painted canvas costs more to check: every fifth check.
    if (mismatch.empty() && (done % (5 * checkEvery) == 0 || done == events) &&
        !CanvasShowsDrawing(window)) {
      mismatch = "the canvas shows other than the program drew";
    }
  }
  const qint64 monkeyMs = timer.elapsed();
  if (!mismatch.empty()) session_.Keep();
  ASSERT_EQ(mismatch, "") << "after action " << done << " (" << monkey.lastAction() << "); "
                          << where;

  const std::string difference = session_.ReplayDifference();
  if (!difference.empty()) session_.Keep();
  EXPECT_EQ(difference, "") << "the driver disagrees with the window; " << where;
  std::printf(
      "monkey seed %u: %d actions, %zu events reached the program, %d messages, "
      "%lld ms in the window, %lld ms in all\n",
      seed, done, session_.lines().size(), session_.messages(), static_cast<long long>(monkeyMs),
      static_cast<long long>(timer.elapsed()));
}

INSTANTIATE_TEST_SUITE_P(Seeds, MonkeyTest, ::testing::Range(0, 4));

}  // namespace
}  // namespace zelk::app

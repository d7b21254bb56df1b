// The Channels window off screen: its list chooses and orders the strips,
// a click in a strip moves the main window's marker, a saved stack holds
// the pixels the window shows, and the strips' lines are painted as each
// line on its own would paint them.
#include "app/channels_window.h"

#include <QAction>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <map>

#include "app/colours.h"
#include "app/main_window.h"
#include "window_fixture.h"

namespace zelk::app {
namespace {

class ChannelsWindowTest : public WindowTest {
 protected:
  ChannelsWindow& Open() {
    window_->menuAction("ChannelsMenu")->trigger();
    ChannelsWindow& channels = *window_->channelsWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&channels));
    return channels;
  }
  std::vector<std::string> Shown() {
    std::vector<std::string> names;
    for (const form::StripState& strip : window_->page().channelsView().States()) {
      names.push_back(strip.channel);
    }
    return names;
  }
  static QAction* Action(QMainWindow& window, const QString& text) {
    for (QAction* menu : window.menuBar()->actions()) {
      for (QAction* action : menu->menu()->actions()) {
        if (action->text() == text) return action;
      }
    }
    return nullptr;
  }
};

TEST_F(ChannelsWindowTest, TheListChoosesTheStripsAndTheirOrder) {
  ChannelsWindow& channels = Open();
  EXPECT_EQ(Shown(),
            (std::vector<std::string>{"RPM", "Throttle", "Manifold", "Lambda", "Temperature"}));
  QListWidget& list = *channels.list();
  list.item(1)->setCheckState(Qt::Unchecked);  // Throttle off
  list.item(6)->setCheckState(Qt::Checked);    // Ignition, after the five
  list.model()->moveRow({}, 6, {}, 0);         // ... dragged to the top
  EXPECT_EQ(Shown(),
            (std::vector<std::string>{"Ignition", "RPM", "Manifold", "Lambda", "Temperature"}));
  // Closing the window unticks its menu item; the item opens it again as it was.
  channels.close();
  EXPECT_FALSE(window_->menuAction("ChannelsMenu")->isChecked());
  EXPECT_TRUE(Shown().empty());
  Open();
  EXPECT_EQ(Shown().front(), "Ignition");
}

TEST_F(ChannelsWindowTest, AClickInAStripMovesTheMainWindowsMarker) {
  ChannelsWindow& channels = Open();
  const form::ChannelsView& view = window_->page().channelsView();
  QWidget& stack = *channels.stack();
  // A third of the way along the last strip, as its own view places it.
  const double y = view.height() - 2000;
  ASSERT_TRUE(view.StripAt(y));
  const double x = 1500 + (view.width() - 3000 - 1500) / 3;
  QTest::mouseClick(&stack, Qt::LeftButton, {},
                    QPoint(static_cast<int>(x / 15), static_cast<int>(y / 15)));
  const double share = std::round(view.FractionAt(static_cast<int>(x / 15) * 15.0) * 1e4) / 1e4;
  const long expected = 1 + *view.OffsetAt(share);
  EXPECT_EQ(Marked(), std::to_string(expected));
  EXPECT_EQ(view.States().back().marker, expected);
  // The arrow keys pressed in the Channels window move it for both.
  QTest::keyClick(&stack, Qt::Key_Right);
  EXPECT_EQ(Marked(), std::to_string(expected + 10));
}

TEST_F(ChannelsWindowTest, TheSavedStackHoldsTheWindowsPixelsAndTheTableItsColumns) {
  ChannelsWindow& channels = Open();
  QString path = dir_.filePath("stack.png");
  QStringList proposed;
  channels.setFileChooser([&](const QString&, const QString& name, const QString&) {
    proposed << name;
    return path;
  });
  Action(channels, "Save Picture...")->trigger();
  const QImage saved(path);
  const QImage shown = channels.StackImage();
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
            shown.convertToFormat(QImage::Format_RGB32));
  path = dir_.filePath("stack.csv");
  Action(channels, "Export Data...")->trigger();
  EXPECT_EQ(testlogs::ReadFile(path.toStdString()), window_->page().channelsView().DataCsv());
  EXPECT_EQ(proposed, (QStringList{"drive-channels.png", "drive-channels.csv"}));
  EXPECT_TRUE(messages_.isEmpty()) << messages_.join("\n").toStdString();
  // A file that cannot be written is told, as from the main window.
  path = dir_.filePath("missing/stack.csv");
  Action(channels, "Export Data...")->trigger();
  ASSERT_EQ(messages_.size(), 1);
  EXPECT_TRUE(messages_.front().startsWith("ZelkScope: Cannot write \"" + path + "\""));
}

// A marker step repaints only where the marker was and is: what stays on
// screen after steps each way (and after the stack was drawn afresh) is what
// a whole new paint gives, no stale marker and no line lost.
TEST_F(ChannelsWindowTest, AfterMarkerStepsTheScreenHoldsWhatAWholePaintGives) {
  ChannelsWindow& channels = Open();
  QWidget& stack = *channels.stack();
  const auto onScreen = [&] {
    QApplication::processEvents();
    const QPoint at = stack.mapTo(&channels, QPoint(0, 0));
    return channels.screen()
        ->grabWindow(channels.winId(), at.x(), at.y(), stack.width(), stack.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
  };
  const auto whole = [&] { return stack.grab().toImage().convertToFormat(QImage::Format_RGB32); };
  for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_End, Qt::Key_Left, Qt::Key_Home}) {
    QTest::keyClick(&stack, key);
    ASSERT_EQ(onScreen(), whole()) << key;
  }
  channels.resize(channels.size() + QSize(37, 11));
  QTest::keyClick(&stack, Qt::Key_Right);
  EXPECT_EQ(onScreen(), whole());
}

// Every line stroked on its own, the colours one after another in the
// order of their colour and width, a pixel for 15 twips.
QImage EachLineOnItsOwn(QSize size, const std::vector<chart::Line>& lines) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  std::map<std::pair<uint32_t, int>, std::vector<chart::Line>> byStyle;
  for (const chart::Line& line : lines) byStyle[{line.colour, line.width}].push_back(line);
  for (const auto& [style, own] : byStyle) {
    painter.setPen(QPen(FromBgr(style.first), std::max(1, style.second - 1)));
    for (const chart::Line& l : own) {
      painter.drawLine(QLineF(l.x1 / 15.0, l.y1 / 15.0, l.x2 / 15.0, l.y2 / 15.0));
    }
  }
  return image;
}

QImage Painted(QSize size, const std::vector<chart::Line>& lines) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintLines(painter, lines);
  return image;
}

// Level runs of segments end to end, as a steady value draws them, are
// painted with fewer strokes: the pixels must be those of every segment.
TEST_F(ChannelsWindowTest, TheStripsLinesArePaintedAsEachOnItsOwn) {
  Open();
  const form::ChannelsView& view = window_->page().channelsView();
  const std::vector<chart::Line>& lines = view.strips().lines();
  const auto levelRun = [](const chart::Line& a, const chart::Line& b) {
    return a.colour == b.colour && a.y1 == a.y2 && b.y1 == b.y2 && a.y2 == b.y1 && a.x2 == b.x1;
  };
  ASSERT_NE(std::adjacent_find(lines.begin(), lines.end(), levelRun), lines.end());
  const QSize size(static_cast<int>(view.width() / 15), static_cast<int>(view.height() / 15));
  EXPECT_EQ(Painted(size, lines), EachLineOnItsOwn(size, lines));

  // Runs between pixels' edges and middles, going either way, one that
  // turns back on itself, one broken by another colour's lines, pieces
  // shorter than a pixel, and level lines that do not meet.
  const uint32_t red = 0x0000FF, green = 0x00FF00;
  std::vector<chart::Line> runs;
  for (int k = 0; k < 16; ++k) {
    const float y = 300 + 97.3f * static_cast<float>(k),
                step = 7.5f + 11.1f * static_cast<float>(k);
    float x = 200 + 3.7f * static_cast<float>(k);
    for (int i = 0; i < 40; ++i, x += step) runs.push_back({x, y, x + step, y, red, 2});
    for (int i = 0; i < 40; ++i, x -= step / 3)
      runs.push_back({x, y + 40, x - step / 3, y + 40, red, 2});
    runs.push_back({x, y + 40, x + 500, y + 40, red, 2});
    runs.push_back({x + 500, y + 40, x + 520, y + 70, green, 2});
    runs.push_back({x + 500, y + 40, x + 900, y + 40, red, 2});
    runs.push_back({x + 950, y + 40, x + 1200, y + 40, red, 2});
  }
  EXPECT_EQ(Painted(QSize(1200, 400), runs), EachLineOnItsOwn(QSize(1200, 400), runs));
}

}  // namespace
}  // namespace zelk::app

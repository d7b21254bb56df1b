// The Channels window off screen: its list chooses and orders the strips,
// a click in a strip moves the main window's marker, and a saved stack holds
// the pixels the window shows.
#include "app/channels_window.h"

#include <QAction>
#include <QImage>
#include <QMenuBar>
#include <cmath>

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

TEST_F(ChannelsWindowTest, TheSavedStackHoldsTheWindowsPixels) {
  ChannelsWindow& channels = Open();
  const QString path = dir_.filePath("stack.png");
  channels.setFileChooser([&](const QString&, const QString& proposed, const QString&) {
    EXPECT_EQ(proposed, "drive-channels.png");
    return path;
  });
  Action(channels, "Save Picture...")->trigger();
  const QImage saved(path);
  const QImage shown = channels.StackImage();
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
            shown.convertToFormat(QImage::Format_RGB32));
}

}  // namespace
}  // namespace zelk::app

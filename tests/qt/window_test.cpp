// The window on an off-screen display: what the user sees of the control
// state, and real mouse and key events reaching the program.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <string>
#include <vector>

#include "log_text.h"
#include "window_fixture.h"

namespace zelk::app {
namespace {

// A frame log of `pairs` frame pairs at 800 rpm, 10 in 0x7D byte 3; the last
// 0x80 frame reports the air temperature sensor's fault.
QByteArray FrameLog(int pairs) {
  std::vector<std::string> frames80(pairs, testlogs::Frame80With({{1, "03"}, {2, "20"}}));
  frames80.back() = testlogs::Frame80With({{1, "03"}, {2, "20"}, {13, "02"}});
  return QByteArray::fromStdString(testlogs::FrameLogOf(
      frames80, std::vector<std::string>(pairs, testlogs::Frame7DWith({{3, "10"}}))));
}

class WindowTest : public WindowFixture {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Start(FrameLog(60))); }
};

// The design as the user first sees it: captions, lists, what is shown and
// where, in pixels of its container.
TEST_F(WindowTest, StartUpShowsTheDesign) {
  const struct {
    const char* key;
    const char* text;
  } captions[] = {
      {"RPMButton", "RPM"},
      {"UserDefinedButton", "User-Defined"},
      {"ShellButton", "Log"},
      {"MarkerInstructions", "To Activate Marker use the Right Arrow "},
      {"LabelInfo(7)", "Fault Codes"},
      {"LabelInfo(21)", "Long Term Fuel Trim"},
      {"MarkerStepValueText", "10"},
  };
  for (const auto& c : captions) EXPECT_EQ(Shown(Widget(c.key)).toStdString(), c.text) << c.key;

  auto* windows = qobject_cast<QComboBox*>(Widget("YAxis"));
  ASSERT_NE(windows, nullptr);
  QStringList items;
  for (int i = 0; i < windows->count(); ++i) items << windows->itemText(i);
  EXPECT_EQ(items,
            QStringList({"Full Trip", " 2 mins", " 5 mins", " 10 mins", " 20 mins", " 30 mins"}));
  EXPECT_EQ(windows->currentText(), "Full Trip");
  auto* files = qobject_cast<QListWidget*>(Widget("File1"));
  ASSERT_NE(files, nullptr);
  ASSERT_EQ(files->count(), 1);
  EXPECT_EQ(files->item(0)->text(), kLogName);

  const struct {
    const char* key;
    bool visible;
  } shown[] = {
      {"Background", true},     {"File1", true},      {"FaultRed(0)", false},
      {"FaultGreen(11)", true}, {"NextImage", false}, {"UserPageSelect", false},
  };
  for (const auto& c : shown) EXPECT_EQ(Widget(c.key)->isVisible(), c.visible) << c.key;

  const struct {
    const char* key;
    QRect place;  // in the container
  } places[] = {
      {"ShellButton", {728, 536, 65, 25}},  {"RPMButton", {12, 8, 47, 27}},
      {"Picture1", {8, 40, 787, 297}},      {"File1", {24, 259, 185, 166}},  // in Background
      {"ScreenTitle", {56, 8, 333, 25}},                                     // on the canvas
      {"FaultGreen(1)", {947, 83, 30, 30}},
  };
  for (const auto& c : places) EXPECT_EQ(Widget(c.key)->geometry(), c.place) << c.key;
  EXPECT_TRUE(Widget("Picture1")->isAncestorOf(Widget("ScreenTitle")));
  EXPECT_TRUE(Widget("Background")->isAncestorOf(Widget("File1")));
  EXPECT_EQ(window_->centralWidget()->size(), QSize(1089, 567));
}

// Labels lie under the other controls of their window, so a caption placed
// under the canvas is never seen.
TEST_F(WindowTest, LabelsUnderTheCanvasAreCovered) {
  QWidget* client = window_->centralWidget();
  for (const char* key : {"InfoLabel", "LabelInfo(11)"}) {
    QWidget* label = Widget(key);
    const QPoint middle = label->geometry().center();
    EXPECT_TRUE(Widget("Picture1")->isAncestorOf(client->childAt(middle)) ||
                client->childAt(middle) == Widget("Picture1"))
        << key;
  }
}

TEST_F(WindowTest, ImagesShowTheirWholePicture) {
  for (const form::Control& control : window_->page().controls().all()) {
    if (control.spec.kind != form::Kind::Image) continue;
    const QString key = QString::fromStdString(control.Key());
    auto* image = qobject_cast<QLabel*>(window_->widget(key));
    ASSERT_NE(image, nullptr) << key.toStdString();
    const QPixmap picture = image->pixmap();
    ASSERT_FALSE(picture.isNull()) << key.toStdString();
    EXPECT_TRUE(QRect(QPoint(), image->size()).contains(picture.rect())) << key.toStdString();
  }
}

TEST_F(WindowTest, MouseClickOnAChannelButtonHighlightsIt) {
  QTest::mouseClick(Widget("RPMButton"), Qt::LeftButton);

  EXPECT_EQ(window_->page().controls().Named("RPMButton").state.backColour, form::kTitleBar);
  const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
  const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);
  EXPECT_EQ(Widget("RPMButton")->palette().color(QPalette::Button), highlight);
  EXPECT_EQ(Widget("BatteryButton")->palette().color(QPalette::Button), face);
}

TEST_F(WindowTest, PickingAFrameLogWithTheMouseDrawsEngineSpeed) {
  auto inked = [this] {
    const QImage& image = window_->canvasImage();
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
      }
    }
    return false;
  };
  ASSERT_FALSE(inked());

  PickLogWithMouse();

  EXPECT_TRUE(inked());
  EXPECT_EQ(Shown(Widget("ScreenTitle")), "Engine Speed (RPM)");
  EXPECT_EQ(Shown(Widget("CurrentFileText")), kLogName);
  EXPECT_FALSE(Widget("Background")->isVisible());
  EXPECT_TRUE(messages_.empty());
}

// Key-ups reach the program whichever widget has the focus: the right arrow
// brings the marker strip onto the graph, the left arrow takes it back (the
// first step left reaches the start, the next one leaves the graph).
TEST_F(WindowTest, ArrowKeysMoveTheMarker) {
  PickLogWithMouse();
  QWidget* strip = Widget("Overlay");
  const int canvasWidth = Widget("Picture1")->width();
  ASSERT_GT(strip->x(), canvasWidth);

  KeyClick(Qt::Key_Right);
  EXPECT_TRUE(Widget("DataPointText")->isVisible());
  EXPECT_FALSE(Widget("MarkerInstructions")->isVisible());
  EXPECT_GT(strip->x(), 550 / 15);
  EXPECT_LT(strip->x(), canvasWidth);

  KeyClick(Qt::Key_Left);
  EXPECT_TRUE(Widget("DataPointText")->isVisible());
  KeyClick(Qt::Key_Left);
  EXPECT_FALSE(Widget("DataPointText")->isVisible());
  EXPECT_TRUE(Widget("MarkerInstructions")->isVisible());
}

// The lamp of a fault in the last frame turns red; a flag byte chosen with
// the keyboard shows its bits on the graph.
TEST_F(WindowTest, LampsAndTheBitDisplayShowWhatTheLogSays) {
  PickLogWithMouse();
  for (int i = 0; i < 12; ++i) {
    const std::string red = "FaultRed(" + std::to_string(i) + ")";
    const std::string green = "FaultGreen(" + std::to_string(i) + ")";
    EXPECT_EQ(Widget(red.c_str())->isVisible(), i == 1) << i;
    EXPECT_EQ(Widget(green.c_str())->isVisible(), i != 1) << i;
  }

  QTest::mouseClick(Widget("UserDefinedButton"), Qt::LeftButton);
  QWidget* bytes = Widget("UserByteSelect");
  bytes->setFocus();
  QTest::keyClick(bytes, Qt::Key_Down);  // from byte 1 to byte 3, a set of flags
  QTest::keyClick(bytes, Qt::Key_Down);
  EXPECT_EQ(Shown(Widget("ScreenTitle")), "User Defined - Unknown");
  EXPECT_TRUE(Widget("BitSurround")->isVisible());
  for (int k = 0; k < 8; ++k) {
    const std::string set = "Bit(" + std::to_string(k) + ")";
    const std::string clear = "BitClear(" + std::to_string(k) + ")";
    EXPECT_EQ(Widget(set.c_str())->isVisible(), k == 4) << k;  // 0x10
    EXPECT_EQ(Widget(clear.c_str())->isVisible(), k != 4) << k;
  }
}

TEST_F(WindowTest, RequestsOfTheProgramAreCarriedOut) {
  window_->menuAction("Version")->trigger();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].title, "ZelkScope");

  // The recorder is a Windows program: here it cannot start, and the window
  // says so and stays open.
  messages_.clear();
  QTest::mouseClick(Widget("ShellButton"), Qt::LeftButton);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].title, "ZelkScope");
  EXPECT_EQ(messages_[0].text, "The reader program could not be started: \"C:\\Readzelk.exe\".");
  EXPECT_TRUE(window_->isVisible());

  window_->menuAction("ExitMenu")->trigger();
  EXPECT_FALSE(window_->isVisible());
}

}  // namespace
}  // namespace zelk::app

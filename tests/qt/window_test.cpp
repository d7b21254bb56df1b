// The window on an off-screen display: what the user sees beyond each
// widget's match with its control (which the monkey test checks), and
// requests of the program carried out.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>

#include "app/pictures.h"
#include "log_text.h"
#include "window_fixture.h"

namespace zelk::app {
namespace {

class WindowTest : public WindowFixture {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Start(QByteArray::fromStdString(testlogs::FrameLog(60, {800}))));
  }
};

// What the check of every widget against its control does not see: the
// window's size, which widget holds which, and the fonts they inherit.
TEST_F(WindowTest, ContainersHoldTheirControls) {
  EXPECT_TRUE(Widget("Picture1")->isAncestorOf(Widget("ScreenTitle")));
  EXPECT_TRUE(Widget("Background")->isAncestorOf(Widget("File1")));
  EXPECT_EQ(window_->centralWidget()->size(), QSize(1089, 567));
  // A control without a font of its own takes its container's: the graph's
  // title the canvas's MS Sans Serif (as its metric twin), 8.25 pt at 96 dpi.
  const QFont title = Widget("ScreenTitle")->font();
  EXPECT_EQ(title.family(), "Liberation Sans");
  EXPECT_EQ(title.pixelSize(), 11);
}

// A file dropped on any control opens as a log: no widget takes the drop for
// itself, as a text box would take the file's name as its text.
TEST_F(WindowTest, NoControlTakesADropForItself) {
  for (const form::Control& control : window_->page().controls().all()) {
    if (QWidget* widget = window_->widget(QString::fromStdString(control.Key())))
      EXPECT_FALSE(widget->acceptDrops()) << control.Key();
  }
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
  // The paging arrows point at the middle of their height; the About picture
  // has its photograph's size.
  for (const form::Art art : {form::Art::LeftArrow, form::Art::RightArrow}) {
    const QImage arrow = ArtPixmap(art).toImage();
    double weight = 0, rows = 0;
    for (int y = 0; y < arrow.height(); ++y) {
      for (int x = 0; x < arrow.width(); ++x) {
        weight += qAlpha(arrow.pixel(x, y));
        rows += (y + 0.5) * qAlpha(arrow.pixel(x, y));  // a row at its centre
      }
    }
    EXPECT_NEAR(rows / weight, (arrow.height() - 1) / 2.0, 0.25) << static_cast<int>(art);
  }
  EXPECT_EQ(ArtPixmap(form::Art::About).size(), QSize(500, 320));
}

TEST_F(WindowTest, MouseClickOnAChannelButtonHighlightsIt) {
  QTest::mouseClick(Widget("RPMButton"), Qt::LeftButton);

  EXPECT_EQ(window_->page().controls().Named("RPMButton").state.backColour, form::kTitleBar);
  const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
  const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);
  EXPECT_EQ(Widget("RPMButton")->palette().color(QPalette::Button), highlight);
  EXPECT_EQ(Widget("BatteryButton")->palette().color(QPalette::Button), face);
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

// The window on an off-screen display, opened on a scratch program folder,
// with helpers to reach its widgets and to send it the user's mouse clicks
// and keys. Messages and file dialogs are answered by the fixture. The
// window tests start from a log of temperatures drawn, marked and done again
// in the program's core.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineF>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "application.h"
#include "log_text.h"

namespace zelk::app {

class WindowFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  // Writes `text` into the program folder, making its folder as needed.
  QString Write(const QString& name, const std::string& text) {
    return QString::fromStdString(testlogs::WriteFile(dir_.filePath(name).toStdString(), text));
  }

  // A window on the program folder, shown and exposed, keeping its drawing.
  std::unique_ptr<MainWindow> NewWindow() {
    auto window = std::make_unique<MainWindow>(dir_.path());
    window->KeepDrawing();
    window->setMessageShower([this](const QString& title, const QString& text) {
      messages_.push_back(title + ": " + text);
    });
    window->setFileChooser([this](const QString& title, const QString& proposed, const QString&) {
      asked_.push_back(title + ": " + proposed);
      return chosen_;
    });
    window->setOffsetAsker([this](const QString& proposed) {
      asked_.push_back("Set Offset: " + proposed);
      return typedOffset_;
    });
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
  }

  QWidget* Widget(const char* key) {
    QWidget* widget = window_->widget(QString::fromUtf8(key));
    EXPECT_NE(widget, nullptr) << key;
    return widget;
  }
  // The graph's canvas: what fills the picture box inside its border.
  QWidget* Canvas() { return Widget("Picture1")->findChild<CanvasWidget*>(); }

  QWidget* FocusTarget() { return window_->focusWidget() ? window_->focusWidget() : window_.get(); }

  QTemporaryDir dir_;
  std::unique_ptr<MainWindow> window_;
  QStringList messages_, asked_;  // "title: text"; the file dialogs' "title: proposed path"
  QString chosen_;                // what the file dialogs answer
  std::optional<QString> typedOffset_;  // what Set Offset... is answered
};

// A colour number 0x00BBGGRR as the screen shows it, "#rrggbb".
inline std::string Rgb(uint32_t bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF).name().toStdString();
}

// Where `probe` crosses the first line drawn in `colour`, in twips.
inline std::optional<QPointF> Crossing(const std::vector<chart::Line>& lines, uint32_t colour,
                                       const QLineF& probe) {
  for (const chart::Line& line : lines) {
    QPointF at;
    if (line.colour == colour &&
        QLineF(line.x1, line.y1, line.x2, line.y2).intersects(probe, &at) ==
            QLineF::BoundedIntersection) {
      return at;
    }
  }
  return std::nullopt;
}

// The temperatures of the log drawn, the marker on its eleventh sample.
class WindowTest : public WindowFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    // 103 samples (on the Full Trip a sample is about 103 twips, 7 pixels,
    // wide) of 85 °C coolant, 30 °C intake air and 20 °C fuel: three level
    // series well apart. The last 0x80 frame reports the air temperature
    // sensor's fault.
    std::map<int, std::string> bytes{{1, "03"}, {2, "20"}, {3, "8C"}, {5, "55"}, {6, "4B"}};
    std::vector<std::string> frames80(102, testlogs::Frame80With(bytes));
    bytes[13] = "02";
    frames80.push_back(testlogs::Frame80With(bytes));
    log_ = Write("logs/drive.txt", testlogs::FrameLogOf(frames80, {}));
    window_ = NewWindow();
    // The log is clicked in the file list with the mouse.
    auto* files = qobject_cast<QListWidget*>(Widget("File1"));
    const auto found = files->findItems("drive.txt", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(found.front()).center());
    QTest::mouseClick(Widget("TemperatureButton"), Qt::LeftButton);
    QTest::keyClick(FocusTarget(), Qt::Key_Right);
    ASSERT_EQ(Marked(), "11");
  }

  std::string Marked() {
    return qobject_cast<QLineEdit*>(Widget("DataPointText"))->text().toStdString();
  }

  void SendKey(QEvent::Type type, Qt::Key key, bool autoRepeat) {
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(FocusTarget(), &event);
  }

  QString log_;
};

}  // namespace zelk::app

// The window on an off-screen display, opened on a program folder whose
// `logs` folder holds one log, with helpers to reach its widgets and to send
// it the user's mouse clicks and keys.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "app/canvas_widget.h"
#include "app/main_window.h"
#include "application.h"

namespace zelk::app {

// Whether the window's canvas shows exactly the lines the program drew on it
// since it was last cleared, painted afresh on blank paper (the window keeps
// them once KeepDrawing was called).
inline bool CanvasShowsDrawing(MainWindow& window) {
  const QImage& shown = window.canvasImage();
  return shown == PaintedLines(shown.size(), window.devicePixelRatioF(), window.drawnLines());
}

class WindowFixture : public ::testing::Test {
 protected:
  static constexpr const char* kLogName = "drive.txt";

  struct Message {
    QString title, text;
  };

  static void SetUpTestSuite() { EnsureApplication(); }

  // Writes `log` as logs/drive.txt and shows the window, exposed.
  void Start(const QByteArray& log) {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QDir(dir_.path()).mkdir("logs"));
    QFile file(LogPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(log);
    file.close();

    window_ = std::make_unique<MainWindow>(dir_.path());
    window_->KeepDrawing();
    window_->setMessageShower([this](const QString& title, const QString& text) {
      messages_.push_back({title, text});
    });
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }

  QString LogPath() const { return QDir(dir_.path()).filePath(QStringLiteral("logs/") + kLogName); }

  QWidget* Widget(const char* key) {
    QWidget* widget = window_->widget(QString::fromUtf8(key));
    EXPECT_NE(widget, nullptr) << key;
    return widget;
  }

  // Clicks the log file in the file list with the mouse.
  void PickLogWithMouse() {
    auto* files = qobject_cast<QListWidget*>(Widget("File1"));
    ASSERT_NE(files, nullptr);
    const auto found = files->findItems(kLogName, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    const QRect place = files->visualItemRect(found.front());
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, place.center());
  }

  QWidget* FocusTarget() { return window_->focusWidget() ? window_->focusWidget() : window_.get(); }

  void KeyClick(Qt::Key key) { QTest::keyClick(FocusTarget(), key); }

  static QString Shown(QWidget* widget) {
    if (auto* button = qobject_cast<QPushButton*>(widget)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text();
    return QStringLiteral("<no text>");
  }

  QTemporaryDir dir_;
  std::unique_ptr<MainWindow> window_;
  std::vector<Message> messages_;
};

}  // namespace zelk::app

// The window on an off-screen display, opened on a scratch program folder,
// with helpers to reach its widgets and to send it the user's mouse clicks
// and keys. Messages and file dialogs are answered by the fixture.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/canvas_widget.h"
#include "app/main_window.h"
#include "application.h"

namespace zelk::app {

// Whether the window's canvas shows exactly the lines the program drew on it
// since it was last cleared, painted afresh on blank paper (the window keeps
// them once KeepDrawing was called).
inline bool CanvasShowsDrawing(MainWindow& window) {
  const QImage& shown = window.canvasImage();
  return shown == PaintedLines(shown.size(), window.devicePixelRatioF() * window.scale(),
                               window.drawnLines());
}

class WindowFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  // Writes `text` into the program folder, making its folder as needed.
  QString Write(const QString& name, const std::string& text) {
    QFile file(dir_.filePath(name));
    EXPECT_TRUE(QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
    return file.fileName();
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
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
  }

  QWidget* Widget(const char* key) {
    QWidget* widget = window_->widget(QString::fromUtf8(key));
    EXPECT_NE(widget, nullptr) << key;
    return widget;
  }
  QString Caption(const char* key) { return qobject_cast<QLineEdit*>(Widget(key))->text(); }
  // The graph's canvas: what fills the picture box inside its border.
  QWidget* Canvas() { return Widget("Picture1")->findChild<CanvasWidget*>(); }

  // Clicks the file `name` in the file list with the mouse.
  void PickWithMouse(const QString& name) {
    auto* files = qobject_cast<QListWidget*>(Widget("File1"));
    const auto found = files->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(found.front()).center());
  }

  QWidget* FocusTarget() { return window_->focusWidget() ? window_->focusWidget() : window_.get(); }

  QTemporaryDir dir_;
  std::unique_ptr<MainWindow> window_;
  QStringList messages_, asked_;  // "title: text"; the file dialogs' "title: proposed path"
  QString chosen_;                // what the file dialogs answer
};

}  // namespace zelk::app

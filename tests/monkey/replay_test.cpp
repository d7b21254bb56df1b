// Short fixed sessions in the window, each of actions that once went wrong
// and that the random sessions do not reach or cannot judge (the lines an
// event must give): after each action every widget shows its control's
// state, the events reach the program as the driver's lines listed, and the
// driver given those lines reaches the window's state.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <functional>

#include "session.h"
#include "window_check.h"

namespace zelk::app {
namespace {

using Step = std::function<void(MainWindow&)>;

QListWidget* List(MainWindow& window, const char* key) {
  return static_cast<QListWidget*>(window.widget(key));
}

Step ClickRow(const char* key, int row, Qt::MouseButton button = Qt::LeftButton,
              Qt::KeyboardModifiers modifiers = {}) {
  return [=](MainWindow& window) {
    QListWidget* list = List(window, key);
    QTest::mouseClick(list->viewport(), button, modifiers,
                      list->visualItemRect(list->item(row)).center());
  };
}

Step PressKeys(const char* key, std::vector<Qt::Key> keys) {
  return [=](MainWindow& window) {
    QWidget* widget = window.widget(key);
    widget->setFocus();
    for (Qt::Key k : keys) QTest::keyClick(widget, k);
  };
}

// The folder list's entry of the logs folder: one entry for each folder
// from the root down to it.
int LogsRow(const Session& session) {
  return static_cast<int>(QDir::cleanPath(session.root()).split('/', Qt::SkipEmptyParts).size()) +
         1;
}

struct Case {
  const char* name;
  std::vector<Step> steps;
  std::function<std::vector<std::string>(const Session&)> lines;
};

TEST(Replay, FixedSessionsAgreeWithTheDriver) {
  Session::SetUpApplication();
  const Case cases[] = {
      {"the folder list's arrow keys and Enter go into the folder below",
       {PressKeys("Dir1", {Qt::Key_Down, Qt::Key_Return})},
       [](const Session& s) -> std::vector<std::string> {
         return {"key 40", "select Dir1 " + std::to_string(LogsRow(s) + 1), "key 13"};
       }},
      {"a scroll bar action the program does not take (the bar is hidden) is undone",
       {[](MainWindow& w) { QTest::keyClick(w.widget("MarkerStepScroll"), Qt::Key_End); }},
       [](const Session&) -> std::vector<std::string> { return {"scroll MarkerStepScroll 100"}; }},
      {"the file list keeps the loaded file highlighted",
       {ClickRow("File1", 1), [](MainWindow& w) { w.menuAction("OpenMenu")->trigger(); },
        [](MainWindow& w) {
          QWidget* files = List(w, "File1")->viewport();
          QTest::mouseClick(files, Qt::LeftButton, {}, QPoint(9, files->height() - 3));
        },
        ClickRow("File1", 3, Qt::RightButton),
        ClickRow("File1", 1, Qt::LeftButton, Qt::ControlModifier),
        [](MainWindow& w) {
          w.widget("File1")->setFocus();
          QTest::keyClick(w.widget("File1"), Qt::Key_Space, Qt::ControlModifier);
        }},
       [](const Session&) -> std::vector<std::string> {
         return {"select File1 1", "click OpenMenu", "select File1 1", "key 32", "key 17"};
       }},
      {"lamps, the graph, the drive list and a dropped file",
       {[](MainWindow& w) { QTest::mouseClick(w.widget("FaultGreen(0)"), Qt::LeftButton); },
        [](MainWindow& w) {
          QWidget* canvas = w.widget("Picture1")->findChild<QWidget*>();
          QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(100, 50));
        },
        [](MainWindow& w) {
          auto* drives = static_cast<QComboBox*>(w.widget("Drive1"));
          QTest::mouseClick(drives, Qt::LeftButton);
          QAbstractItemView* view = drives->view();
          const QPoint first = view->visualRect(view->model()->index(0, 0)).center();
          QTest::mouseMove(view->viewport(), first);
          QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, first);
        },
        [](MainWindow& w) {
          QMimeData data;
          data.setUrls({QUrl::fromLocalFile(QString::fromStdString(
              w.page().controls().Named("File1").state.folder + "/drive copy ä ö.txt"))});
          QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
          QApplication::sendEvent(&w, &enter);
          QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
          QApplication::sendEvent(&w, &drop);
        }},
       [](const Session& s) -> std::vector<std::string> {
         return {"click FaultGreen(0)", "clickat 1500 750", "click Picture1", "select Drive1 0",
                 "open " + s.root().toStdString() + "/logs/drive copy ä ö.txt"};
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session session;
    ASSERT_TRUE(session.Start());
    for (size_t i = 0; i < c.steps.size(); ++i) {
      c.steps[i](session.window());
      EXPECT_EQ(FirstMismatch(session.window(), false), "") << "after step " << i + 1;
    }
    EXPECT_EQ(session.lines(), c.lines(session));
    EXPECT_EQ(session.ReplayDifference(), "");
  }
}

}  // namespace
}  // namespace zelk::app

// Random user actions on the real window, off screen: the window must stay
// up, every widget must show what its control's state says, a key or a click
// on the graph must reach the program as its code or its place in twips, and
// the driver, given the same events as a script, must reach the same state.
//
// ZELK_MONKEY_SEED sets the first seed (each run adds its number to it). The
// default seed is fixed so that the suite gives the same verdict on every run;
// a failure names its seed and keeps its program folder and script of events.
#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "../qt/window_fixture.h"
#include "app/channels_window.h"
#include "app/colours.h"
#include "app/key_codes.h"
#include "app/listing_box.h"
#include "app/values_window.h"
#include "checks.h"
#include "dump.h"
#include "form/user_event.h"

namespace zelk::app {
namespace {


QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// What is typed into the step box: steps, steps the program refuses, long
// texts and letters beyond ASCII.
// clang-format off
constexpr const char* kStepTexts[] = {"1", "2", "5", "10", "25", "100", "0", "-3", "2.5", "abc",
    " 7", "7 ", "99999", "1e3", "0x10", "3,5", "-", "été", "12345678901234567890abcdefghij",
    "999999999999999999999999999999999999999999999999"};
// clang-format on

// Random user actions on the window, sent as Qt events from a seeded
// generator so that a run can be repeated.
struct Monkey {
  Monkey(MainWindow& w, uint32_t seed, const QString& rootPath, const QString& saves,
         const std::vector<std::string>& events)
      : window(w), lines(events), random(seed), root(rootPath.toStdString()) {
    // Saving asks for a file: none, one in a folder that is not there, a new one.
    window.setFileChooser(
        [this, saves](const QString&, const QString& proposed, const QString& filter) {
          const QString name =
              QFileInfo(proposed).fileName() + (filter.contains("png") ? ".png" : ".csv");
          const int pick = Below(4);
          return pick == 0 ? QString() : saves + (pick == 1 ? "/missing/" : "/") + name;
        });
    // An offset typed for a compared log: none, or a number or not.
    window.setOffsetAsker([this](const QString&) -> std::optional<QString> {
      if (Chance(20)) return std::nullopt;
      return Pick<QString>({"12.4", "-3", "+0.5 s", "1e9", "abc", "", "-0"});
    });
  }

  int Below(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <class T>
  T Pick(std::initializer_list<T> list) {
    return list.begin()[Below(int(list.size()))];
  }
  QPoint PointIn(const QWidget* w) { return {Below(w->width()), Below(w->height())}; }
  const form::ControlState& Folders() const { return window.page().controls().Named("Dir1").state; }
  // Now and then Ctrl or Shift held, which move a compared log and its marker.
  Qt::KeyboardModifiers Modifiers() {
    held = Chance(8) ? Qt::ControlModifier : Chance(8) ? Qt::ShiftModifier : Qt::NoModifier;
    return held;
  }
  Qt::KeyboardModifiers held;

  // Clicks `widget` at `point`, or what lies topmost there. A left click on
  // the graph reaches the program at its place in twips.
  void Click(QWidget* widget, QPoint point, Qt::MouseButton button = Qt::LeftButton) {
    if (QWidget* child = widget->childAt(point))
      point = child->mapFrom(widget, point), widget = child;
    folderRowMoved |=
        widget == window.widget("Dir1") || window.widget("Dir1")->isAncestorOf(widget);
    const size_t before = lines.size();
    QTest::mouseClick(widget, button, Modifiers(), point);
    const QPointF twips = point.toPointF() * 15 / window.scale();
    const std::string place =
        form::UserEvent::ClickAt(twips.x(), twips.y(), HeldKeys(held)).ToLine();
    if (qobject_cast<CanvasWidget*>(widget) && widget->isVisible() && button == Qt::LeftButton &&
        std::find(lines.begin() + before, lines.end(), place) == lines.end())
      fault = "a click on the graph did not reach the program as \"" + place + "\"";
  }
  // Any control, shown or not, at any point: the events of a real user never
  // reach one that is hidden.
  void ClickOn(const std::string& key) {
    if (QWidget* w = window.widget(Text(key)))
      Click(w, PointIn(w), Chance(8) ? Qt::RightButton : Qt::LeftButton);
  }
  // Whether the folder list's entry `row` lies where the monkey may go: the
  // root, or the program folder and below. The list holds the folder's
  // parents from the root down, the folder, then its subfolders, indented.
  bool FolderAllowed(int row) const {
    const std::string folder = std::filesystem::path(Folders().folder).lexically_normal();
    const bool inRoot = folder == root || folder.starts_with(root + "/");
    // The program folder's entry is the one numbered by its slashes, when the
    // list shows it or a folder in it; the entries after it lie in it too.
    return row == 0 || (inRoot && row < static_cast<int>(Folders().items.size()) &&
                        row >= std::count(root.begin(), root.end(), '/'));
  }

  // A key to the widget with the focus; with Ctrl, the menus' shortcuts
  // among others.
  void PressKey() {
    // Each key with the code it reaches the program as.
    // clang-format off
    static const std::pair<Qt::Key, int> kKeys[] = {{Qt::Key_Right, 39}, {Qt::Key_Left, 37},
        {Qt::Key_Up, 38}, {Qt::Key_Down, 40}, {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34},
        {Qt::Key_Home, 36}, {Qt::Key_End, 35}, {Qt::Key_Tab, 9}, {Qt::Key_Return, 13},
        {Qt::Key_Escape, 27}, {Qt::Key_Space, 32}, {Qt::Key_Backspace, 8}, {Qt::Key_Delete, 46},
        {Qt::Key_F1, 112}, {Qt::Key_Shift, 16}, {Qt::Key_A, 65}, {Qt::Key_Z, 90}, {Qt::Key_5, 53},
        {Qt::Key_O, 79}, {Qt::Key_S, 83}, {Qt::Key_E, 69}};
    // clang-format on
    // The arrows to the graph come more often.
    Qt::Key key = kKeys[Chance(25) ? Below(2) : Below(std::size(kKeys))].first;
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    if (target->objectName() == "Drive1") {
      // Only the root: the other drives hold folders the test does not own.
      key = Pick({Qt::Key_Up, Qt::Key_Home, Qt::Key_Left, Qt::Key_Right, Qt::Key_Tab});
    } else if (target->objectName() == "Dir1") {
      const bool allowed = FolderAllowed(static_cast<QListWidget*>(target)->currentRow());
      if (key == Qt::Key_Return && !allowed) key = Qt::Key_Up;
      if (key == Qt::Key_Space || key == Qt::Key_A || key == Qt::Key_Z) key = Qt::Key_Down;
      folderRowMoved = true;
    }
    const size_t before = lines.size();
    QTest::keyClick(target, key, Modifiers());
    // Released where the focus stayed, the key reaches the program as its code.
    const int code = std::ranges::find(kKeys, key, &std::pair<Qt::Key, int>::first)->second;
    const std::string line = form::UserEvent::Key(code, HeldKeys(held, key)).ToLine();
    if (window.focusWidget() == target &&
        std::find(lines.begin() + before, lines.end(), line) == lines.end())
      fault = "the key " + QKeySequence(key).toString().toStdString() + " did not give " + line;
  }

  // A text typed over the step box's, each letter as its Latin-1 key with its
  // text or as an unknown key; keys to the box, Enter among them, come with
  // its focus.
  void TypeStep() {
    QWidget* box = window.widget("MarkerStepValueText");
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    for (const QChar c : QString::fromUtf8(kStepTexts[Below(std::size(kStepTexts))])) {
      const auto key = c.unicode() < 0x100 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
      QTest::sendKeyEvent(QTest::Click, box, key, QString(c), Qt::NoModifier);
    }
  }

  // A click on one of a list's rows, or of a combo box's in its popup (keys
  // reach them through the focus): of the drives only the root, and a double
  // click into a folder only where the monkey may go.
  void PickInList() {
    const QString key =
        Pick<QString>({"YAxis", "YAxis", "UserPageSelect", "UserByteSelect", "UserByteSelect",
                       "Drive1", "File1", "File1", "File1", "Dir1"});
    const bool drives = key == "Drive1", folders = key == "Dir1";
    QWidget* w = window.widget(key);
    // The browser's lists are hidden while a log is shown: the user opens it.
    if (!w->isVisible() && (key == "File1" || folders)) window.menuAction("OpenMenu")->trigger();
    auto* combo = qobject_cast<QComboBox*>(w);
    if (combo) QTest::mouseClick(combo, Qt::LeftButton, {}, combo->rect().center());
    QAbstractItemView* view = combo ? combo->view() : static_cast<QListWidget*>(w);
    const int rows = view->model()->rowCount();
    if ((combo && !view->isVisible()) || rows == 0) return;
    // Often the highlighted row again, and with Ctrl (or Ctrl+Space after),
    // which must not take the highlight off.
    const int row = drives ? 0 : Chance(30) ? std::max(0, view->currentIndex().row()) : Below(rows);
    const QPoint point = view->visualRect(view->model()->index(row, 0)).center();
    const bool enter = folders && FolderAllowed(row) && Chance(60);
    folderRowMoved |= folders && !enter;
    // What the system sends for a double click: a click, then a second press
    // that comes as the double click, then its release.
    QTest::mouseMove(view->viewport(), point);
    QTest::mouseClick(view->viewport(), Qt::LeftButton,
                      combo || enter || Chance(70) ? Qt::NoModifier : Qt::ControlModifier, point);
    if (key == "File1" && Chance(20)) QTest::keyClick(view, Qt::Key_Space, Qt::ControlModifier);
    if (enter) {
      QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, point);
      QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, point);
    }
  }

  void MoveScrollBar() {
    QWidget* bar = window.widget("MarkerStepScroll");
    // A click, a drag of the slider (past the bar's ends too) or a key.
    const QPoint from = PointIn(bar), to(bar->width() / 2, Below(bar->height() + 40) - 20);
    if (Chance(35)) {
      return QTest::keyClick(bar, Pick({Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                                        Qt::Key_Home, Qt::Key_End}));
    }
    QTest::mousePress(bar, Qt::LeftButton, {}, from);
    QTest::mouseMove(bar, Chance(50) ? to : from);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, Chance(50) ? to : from);
  }

  // A drag across the graph, some too short to be one or past its ends, or a
  // turn of the wheel over it (half a notch too), with Shift a pan.
  void ZoomGraph() {
    auto* canvas = window.widget("Picture1")->findChild<CanvasWidget*>();
    const QPoint from = PointIn(canvas), to(Below(canvas->width() + 80) - 40, from.y());
    QWheelEvent wheel(from, canvas->mapToGlobal(QPointF(from)), {},
                      {0, Pick({-240, -120, 60, 120})}, Qt::NoButton,
                      Chance(30) ? Qt::ShiftModifier : Qt::NoModifier, Qt::NoScrollPhase, false);
    if (Chance(50)) return (void)QApplication::sendEvent(canvas, &wheel);
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas, Chance(20) ? from + QPoint(2, 0) : to);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
  }

  // Every log, a folder, a missing file and logs in subfolders.
  void DropFile() {
    const QString logs = Text(root) + "/logs/";
    const QStringList drops =
        QDir(logs).entryList(QDir::Files) +
        QStringList{"folder.txt", "missing.txt", "folder.txt/inside.txt", "Ältere Logs/alt.TXT"};
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(logs + drops[Below(int(drops.size()))])});
    QDragEnterEvent enter(PointIn(&window), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window, &enter);
    // With Ctrl held, the file is compared with the loaded log.
    QDropEvent drop(enter.position(), Qt::CopyAction, &data, Qt::LeftButton,
                    Chance(40) ? Qt::ControlModifier : Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
  }

  // The window made larger or smaller (as large as about three times the
  // form), or full screen turned on or off.
  void Resize() {
    if (Chance(25)) return window.menuAction("FullScreenMenu")->trigger();
    const QSize least = window.minimumSizeHint();
    window.resize(least.width() + Below(2200), least.height() + Below(1200));
  }

  // The Channels window opened or closed, a strip ticked, unticked or moved
  // in its list, a click, drag, wheel turn or key in its stack.
  void UseChannels() {
    ChannelsWindow& channels = *window.channelsWindow();
    if (!channels.isVisible() || Chance(15)) return window.menuAction("ChannelsMenu")->trigger();
    QListWidget& list = *channels.list();
    QWidget* stack = channels.stack();
    const QPoint from = PointIn(stack), to(Below(stack->width() + 80) - 40, from.y());
    switch (Below(6)) {
      case 0: {
        QListWidgetItem* item = list.item(Below(list.count()));
        return item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked
                                                                      : Qt::Checked);
      }
      case 1:
        list.model()->moveRow({}, Below(list.count()), {}, Below(list.count()));
        return;
      case 2:
        return QTest::keyClick(stack, Pick({Qt::Key_Right, Qt::Key_Left, Qt::Key_Home,
                                            Qt::Key_End, Qt::Key_PageDown, Qt::Key_Backspace}));
      case 3: {
        QWheelEvent wheel(from, stack->mapToGlobal(QPointF(from)), {}, {0, Pick({-120, 120})},
                          Qt::NoButton, Chance(30) ? Qt::ShiftModifier : Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        return (void)QApplication::sendEvent(stack, &wheel);
      }
      case 4:
        QTest::mousePress(stack, Qt::LeftButton, {}, from);
        return QTest::mouseRelease(stack, Qt::LeftButton, {}, to);
      default:
        return QTest::mouseClick(stack, Chance(20) ? Qt::RightButton : Qt::LeftButton, {}, from);
    }
  }

  // One random action by its weight; it may reach the program several times
  // (each key of a typed text) or not at all (a click on a label).
  void Act() {
    static const int kWeights[] = {11, 10, 12, 10, 15, 5, 13, 6, 4, 4, 2, 6, 2};
    int action = 0;
    for (int roll = Below(100); (roll -= kWeights[action]) >= 0;) ++action;
    const std::vector<form::ControlSpec>& table = form::LayoutTable();
    // clang-format off
    switch (action) {
      case 0: ClickOn(Pick<const char*>({"RPMButton", "TemperatureButton", "BatteryButton",
                  "IgnitionButton", "LambdaButton", "LoopButton", "ThrottleButton", "MAPButton",
                  "STFTButton", "UserDefinedButton", "UserDefinedButton", "NextImage",
                  "NextImage", "PreviousImage", "ShellButton", "PictureAbout", "FaultRed(0)",
                  "FaultRed(1)", "FaultRed(9)"})); break;
      case 1: ClickOn(form::Control{table[Below(static_cast<int>(table.size()))], {}}.Key()); break;
      case 2: ClickOn("Picture1"); break;
      case 3: Click(window.centralWidget(), PointIn(window.centralWidget())); break;
      case 4: PressKey(); break;
      case 5: TypeStep(); break;
      case 6: PickInList(); break;
      case 7: MoveScrollBar(); break;
      case 8:  // Exit is left out: it would end the run.
        window.menuAction(Pick<QString>({"OpenMenu", "SaveGraphMenu", "ExportDataMenu",
                                         "AboutMenu", "Version", "ValuesMenu",
                                         "ChannelsMenu", "CompareMenu", "CompareMenu",
                                         "OffsetMenu", "AlignMenu",
                                         "CloseComparisonMenu"}))->trigger(); break;
      case 9: ZoomGraph(); break;
      case 10: DropFile(); break;
      case 11: UseChannels(); break;
      default: Resize();
    }
    // clang-format on
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    if (Folders().folder != lastFolder) lastFolder = Folders().folder, folderRowMoved = false;
  }

  MainWindow& window;
  const std::vector<std::string>& lines;
  std::mt19937 random;
  std::string root, lastFolder = Folders().folder, fault;
  bool folderRowMoved = false;  // the folder list's highlight moved since its folder changed
};

class MonkeyTest : public WindowFixture, public ::testing::WithParamInterface<int> {};

TEST_P(MonkeyTest, WindowAndDriverAgreeAfterRandomUserActions) {
  const uint32_t seed = qEnvironmentVariable("ZELK_MONKEY_SEED", "20260419").toUInt() + GetParam();
  // The off-screen platform's notes on raised windows and keyboard grabs (a
  // thousand a run) are left out; other messages go on as Qt prints them.
  static const QtMessageHandler standard = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.startsWith("This plugin does not support")) standard(type, context, message);
      });
  const QString saves = dir_.path() + "/saves";  // where graphs and tables are saved
  ASSERT_TRUE(dir_.isValid());
  MakeProgramFolder(dir_.path().toStdString());
  // Every event, as it comes, as a line of the driver's script.
  const QString scriptPath = saves + "/events.script";
  std::ofstream script(scriptPath.toStdString());
  std::vector<std::string> lines;
  window_ = NewWindow();
  MainWindow& window = *window_;
  window.setEventRecorder([&](const std::string& line) {
    lines.push_back(line);
    script << line << '\n' << std::flush;
  });
  window.activateWindow();

  Monkey monkey(window, seed, dir_.path(), saves, lines);
  std::string& mismatch = monkey.fault;
  int done = 0;
  while (done < 5000 && mismatch.empty()) {
    monkey.Act();
    ++done;
    if (!window.isVisible()) mismatch = "the window closed";
    // Every widget each 20 actions (the last among them); the painted canvas,
    // which costs more, each 100.
    if (mismatch.empty() && done % 20 == 0) mismatch = FirstMismatch(window, monkey.folderRowMoved);
    if (mismatch.empty() && done % 100 == 0 && !CanvasShowsDrawing(window))
      mismatch = "the canvas shows other than the program drew";
  }
  // The driver on the same events must reach the page's variables and
  // controls (the canvas and the messages the window and the driver keep
  // apart); where they first differ, and what the driver said, if anything.
  script << "dump\n" << std::flush;
  QProcess driver;
  driver.start(ZELK_DRIVER, {"--program-dir", dir_.path(), scriptPath});
  driver.waitForFinished(120'000);
  const auto state = [](const QByteArray& dump) {
    return dump.left(dump.indexOf(",\"canvas\":")).toStdString();
  };
  const std::string a = state(QByteArray::fromStdString(
                        driver::Dump(window.page(), chart::RecordingCanvas(), {}, {}))),
                    b = state(driver.readAllStandardOutput().trimmed().split('\n').back());
  const size_t at = std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin();
  if (mismatch.empty() && a != b) {
    mismatch = "the driver differs " + driver.readAllStandardError().toStdString() +
               "\n  window: ..." + a.substr(at < 120 ? 0 : at - 120, 240) + "\n  driver: ..." +
               b.substr(at < 120 ? 0 : at - 120, 240);
  }
  dir_.setAutoRemove(mismatch.empty());
  EXPECT_EQ(mismatch, "") << "after action " << done << "; seed " << seed << ", events in "
                          << scriptPath.toStdString() << ", program folder "
                          << dir_.path().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Seeds, MonkeyTest, ::testing::Range(0, 4));

}  // namespace
}  // namespace zelk::app

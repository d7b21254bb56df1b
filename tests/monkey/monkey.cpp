#include "monkey.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "form/control.h"

namespace zelk::app {
namespace {

using Action = void (Monkey::*)();

std::string Name(const QWidget* widget) {
  return widget ? widget->objectName().toStdString() : std::string("none");
}

// The widget of the control that `widget` belongs to (a list's viewport
// stands for its list).
const QWidget* Named(const MainWindow& window, const QWidget* widget) {
  while (widget && window.widget(widget->objectName()) != widget) widget = widget->parentWidget();
  return widget;
}

// What is typed into the step box: steps, steps the program refuses, long
// texts and letters beyond ASCII.
// clang-format off
constexpr const char* kStepTexts[] = {
    "1", "2", "5", "10", "25", "100", "0", "-3", "2.5", "abc", " 7", "7 ", "99999", "1e3", "0x10",
    "3,5", "-", "\u00e9t\u00e9", "12345678901234567890abcdefghij",
    "999999999999999999999999999999999999999999999999"};
// clang-format on

}  // namespace

Monkey::Monkey(MainWindow& window, uint32_t seed, Places places)
    : window_(window), random_(seed), places_(std::move(places)) {
  lastFolder_ = window_.page().controls().Named("Dir1").state.folder;
  // Saving asks for a file: none, a new file or one in a folder that is not
  // there.
  window_.setFileChooser([this](const QString&, const QString& proposed, const QString& filter) {
    const QString ending = filter.contains(QLatin1String("png")) ? ".png" : ".csv";
    switch (Below(4)) {
      case 0:
        return QString();
      case 1:
        return places_.saveDir + "/missing/out" + ending;
      default:
        return places_.saveDir + "/" + QFileInfo(proposed).fileName() + ending;
    }
  });
}

QWidget* Monkey::Widget(const char* key) const { return window_.widget(QString::fromUtf8(key)); }

QPoint Monkey::PointIn(const QWidget* widget) {
  return {Below(qMax(1, widget->width())), Below(qMax(1, widget->height()))};
}

void Monkey::Act() {
  static const std::pair<int, Action> kActions[] = {
      {12, &Monkey::ClickButton},  {10, &Monkey::ClickControl}, {10, &Monkey::ClickAnywhere},
      {10, &Monkey::ClickCanvas},  {18, &Monkey::PressKey},     {5, &Monkey::TypeStep},
      {8, &Monkey::PickInCombo},   {6, &Monkey::PickFile},      {3, &Monkey::PickFolder},
      {6, &Monkey::MoveScrollBar}, {4, &Monkey::ChooseMenu},    {2, &Monkey::ClickAbout},
      {3, &Monkey::DropFile},      {1, &Monkey::UseShortcut},
  };
  int total = 0;
  for (const auto& [weight, action] : kActions) total += weight;
  int roll = Below(total);
  for (const auto& [weight, action] : kActions) {
    if (roll < weight) {
      (this->*action)();
      break;
    }
    roll -= weight;
  }
  CloseStrayPopups();
  const std::string& folder = window_.page().controls().Named("Dir1").state.folder;
  if (folder != lastFolder_) {
    lastFolder_ = folder;
    folderRowMoved_ = false;
  }
}

void Monkey::CloseStrayPopups() {
  for (int i = 0; i < 5; ++i) {
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup) return;
    popup->close();
  }
}

void Monkey::Click(QWidget* widget, QPoint point, Qt::MouseButton button) {
  QWidget* target = widget;
  if (QWidget* child = widget->childAt(point)) {
    target = child;
    point = child->mapFrom(widget, point);
  }
  const QWidget* named = Named(window_, target);
  if (named && named->objectName() == "Dir1") folderRowMoved_ = true;
  last_ += " on " + Name(named);
  QTest::mouseClick(target, button, {}, point);
}

void Monkey::ClickButton() {
  const char* key = Pick<const char*>(
      {"RPMButton", "TemperatureButton", "BatteryButton", "IgnitionButton", "LambdaButton",
       "LoopButton", "ThrottleButton", "MAPButton", "STFTButton", "UserDefinedButton",
       "UserDefinedButton", "NextImage", "NextImage", "PreviousImage", "ShellButton"});
  last_ = std::string("click ") + key;
  QWidget* widget = Widget(key);
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// Any control, shown or not, as the events of a real user never reach it.
void Monkey::ClickControl() {
  const std::vector<form::ControlSpec>& table = form::LayoutTable();
  const form::ControlSpec& spec = table[Below(static_cast<int>(table.size()))];
  const std::string key = form::Control{spec, {}}.Key();
  QWidget* widget = window_.widget(QString::fromStdString(key));
  last_ = "click control " + key;
  if (!widget) return;
  Click(widget, PointIn(widget), Chance(10) ? Qt::RightButton : Qt::LeftButton);
}

void Monkey::ClickAnywhere() {
  QWidget* client = window_.centralWidget();
  const QPoint point = PointIn(client);
  last_ = "click at " + std::to_string(point.x()) + "," + std::to_string(point.y());
  Click(client, point);
}

void Monkey::ClickCanvas() {
  QWidget* picture = Widget("Picture1");
  last_ = "click graph";
  Click(picture, PointIn(picture), Chance(5) ? Qt::RightButton : Qt::LeftButton);
}

void Monkey::PressKey() {
  static const Qt::Key kKeys[] = {
      Qt::Key_Right,     Qt::Key_Right,  Qt::Key_Right, Qt::Key_Right, Qt::Key_Left,
      Qt::Key_Left,      Qt::Key_Left,   Qt::Key_Up,    Qt::Key_Down,  Qt::Key_PageUp,
      Qt::Key_PageDown,  Qt::Key_Home,   Qt::Key_End,   Qt::Key_Tab,   Qt::Key_Return,
      Qt::Key_Escape,    Qt::Key_Space,  Qt::Key_A,     Qt::Key_Z,     Qt::Key_5,
      Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_F1,    Qt::Key_Shift};
  Qt::Key key = kKeys[Below(std::size(kKeys))];
  QWidget* focus = window_.focusWidget();
  QWidget* target = focus ? focus : &window_;
  const QString name = target->objectName();
  if (name == "Drive1") {
    // Only the root: the other drives hold folders the test does not own.
    key = Pick({Qt::Key_Up, Qt::Key_Home, Qt::Key_Left, Qt::Key_Right, Qt::Key_Tab});
  } else if (name == "Dir1") {
    auto* folders = static_cast<QListWidget*>(target);
    if (key == Qt::Key_Return && !FolderAllowed(folders->currentRow())) key = Qt::Key_Up;
    if (key == Qt::Key_Space || key == Qt::Key_A || key == Qt::Key_Z) key = Qt::Key_Down;
    folderRowMoved_ = true;
  }
  last_ = "key " + QKeySequence(key).toString().toStdString() + " to " + Name(target);
  QTest::keyClick(target, key);
}

void Monkey::TypeStep() {
  QWidget* box = Widget("MarkerStepValueText");
  const QString text = QString::fromUtf8(kStepTexts[Below(std::size(kStepTexts))]);
  last_ = "type \"" + text.toStdString() + "\" into the step box";
  QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
  if (Chance(70)) {
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  } else {
    QTest::keyClick(box, Qt::Key_End);
    for (int i = Below(4); i > 0; --i) QTest::keyClick(box, Qt::Key_Backspace);
  }
  for (const QChar c : text) {
    // QTest names keys for ASCII only; other letters go as their Latin-1
    // key, or as an unknown key with their text.
    if (c.unicode() < 0x80) {
      QTest::keyClick(box, c.toLatin1());
    } else {
      const auto key = c.unicode() < 0x100 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
      QTest::sendKeyEvent(QTest::Click, box, key, QString(c), Qt::NoModifier);
    }
  }
  if (Chance(30)) QTest::keyClick(box, Qt::Key_Return);
}

void Monkey::PickInCombo() {
  const char* key = Pick<const char*>(
      {"YAxis", "YAxis", "UserPageSelect", "UserByteSelect", "UserByteSelect", "Drive1"});
  auto* combo = static_cast<QComboBox*>(Widget(key));
  const bool drives = std::string(key) == "Drive1";
  if (Chance(50)) {
    const Qt::Key move = drives ? Pick({Qt::Key_Up, Qt::Key_Home})
                                : Pick({Qt::Key_Up, Qt::Key_Down, Qt::Key_Down, Qt::Key_Home,
                                        Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown});
    last_ = std::string("combo key ") + key;
    QTest::keyClick(combo, move);
    return;
  }
  last_ = std::string("combo popup ") + key;
  QTest::mouseClick(combo, Qt::LeftButton, {}, combo->rect().center());
  QAbstractItemView* view = combo->view();
  if (!view->isVisible() || combo->count() == 0) return;
  const int row = drives ? 0 : Below(combo->count());
  last_ += " row " + std::to_string(row);
  const QRect place = view->visualRect(view->model()->index(row, 0));
  QTest::mouseMove(view->viewport(), place.center());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, place.center());
}

void Monkey::PickFile() {
  auto* files = static_cast<QListWidget*>(Widget("File1"));
  if (Chance(40)) {
    const Qt::Key move =
        Pick({Qt::Key_Up, Qt::Key_Down, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown});
    last_ = "file list key";
    QTest::keyClick(files, move);
    return;
  }
  last_ = "file list click";
  if (files->count() == 0) return Click(files->viewport(), PointIn(files->viewport()));
  const int row = Below(files->count());
  last_ += " row " + std::to_string(row);
  QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                    files->visualItemRect(files->item(row)).center());
}

void Monkey::PickFolder() {
  auto* folders = static_cast<QListWidget*>(Widget("Dir1"));
  if (folders->count() == 0) return;
  const int row = Below(folders->count());
  const QPoint point = folders->visualItemRect(folders->item(row)).center();
  last_ = "folder list row " + std::to_string(row);
  if (FolderAllowed(row) && Chance(60)) {
    last_ += " double-click";
    // What the system sends for a double click: a click, then a second
    // press that comes as the double click, then its release.
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseRelease(folders->viewport(), Qt::LeftButton, {}, point);
  } else {
    folderRowMoved_ = true;
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, point);
  }
}

bool Monkey::FolderAllowed(int row) const {
  namespace fs = std::filesystem;
  const form::ControlState& state = window_.page().controls().Named("Dir1").state;
  if (row < 0 || row >= static_cast<int>(state.items.size())) return false;
  // The folder's parents from the root down, the folder, then its
  // subfolders, each indented by its depth.
  const fs::path folder = fs::path(state.folder).lexically_normal();
  fs::path path;
  int index = 0;
  for (const fs::path& part : folder) {
    if (part.empty()) continue;
    path /= part;
    if (index++ == row) break;
  }
  if (row >= index) {
    const std::string& item = state.items[row];
    path = folder / item.substr(item.find_first_not_of(' '));
  }
  const std::string root = places_.root.toStdString();
  const std::string text = path.string();
  return text == "/" || text == root || text.rfind(root + "/", 0) == 0;
}

void Monkey::MoveScrollBar() {
  auto* bar = static_cast<QScrollBar*>(Widget("MarkerStepScroll"));
  switch (Below(3)) {
    case 0:
      last_ = "scroll bar click";
      QTest::mouseClick(bar, Qt::LeftButton, {}, PointIn(bar));
      break;
    case 1: {
      last_ = "scroll bar drag";
      const QPoint from = PointIn(bar), to(bar->width() / 2, Below(bar->height() + 40) - 20);
      QTest::mousePress(bar, Qt::LeftButton, {}, from);
      QTest::mouseMove(bar, to);
      QTest::mouseRelease(bar, Qt::LeftButton, {}, to);
      break;
    }
    default:
      last_ = "scroll bar key";
      QTest::keyClick(bar, Pick({Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                                 Qt::Key_Home, Qt::Key_End}));
      break;
  }
}

// Exit is left out: it would end the run.
void Monkey::ChooseMenu() {
  const char* key =
      Pick<const char*>({"OpenMenu", "SaveGraphMenu", "ExportDataMenu", "AboutMenu", "Version"});
  last_ = std::string("menu ") + key;
  window_.menuAction(QString::fromUtf8(key))->trigger();
}

void Monkey::ClickAbout() {
  QWidget* about = Widget("PictureAbout");
  last_ = "click the About picture";
  QTest::mouseClick(about, Qt::LeftButton, {}, PointIn(about));
}

void Monkey::DropFile() {
  const QString path = places_.drops[Below(static_cast<int>(places_.drops.size()))];
  last_ = "drop " + path.toStdString();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  const QPoint point = PointIn(&window_);
  QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window_, &enter);
  QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window_, &drop);
}

void Monkey::UseShortcut() {
  const Qt::Key key = Pick({Qt::Key_O, Qt::Key_S, Qt::Key_E});
  QWidget* focus = window_.focusWidget();
  last_ = "Ctrl+" + QKeySequence(key).toString().toStdString();
  QTest::keyClick(focus ? focus : &window_, key, Qt::ControlModifier);
}

}  // namespace zelk::app

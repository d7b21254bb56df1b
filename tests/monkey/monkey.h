// A monkey: random user actions on the real window, sent as Qt events (mouse
// clicks, key clicks, typing, list and combo choices, scroll bar actions,
// menu commands, dropped files), drawn from a seeded generator so that a run
// can be repeated.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <random>
#include <string>

#include "app/main_window.h"

namespace zelk::app {

class Monkey {
 public:
  struct Places {
    QString root;       // the only folders entered: the root of the disk, this and below
    QString saveDir;    // where saved graphs and tables go
    QStringList drops;  // files (and other paths) to drop on the window
  };

  Monkey(MainWindow& window, uint32_t seed, Places places);

  // One random action; it may reach the program several times (each key of
  // a typed text) or not at all (a click on a label).
  void Act();
  // What the last action was, for failure messages.
  const std::string& lastAction() const { return last_; }
  // The user moved the folder list's highlight since its folder last
  // changed.
  bool folderRowMoved() const { return folderRowMoved_; }

 private:
  int Below(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <class T>
  const T& Pick(std::initializer_list<T> list) {
    return list.begin()[Below(static_cast<int>(list.size()))];
  }
  QPoint PointIn(const QWidget* widget);
  QWidget* Widget(const char* key) const;

  // Clicks `widget` at `point`, or what lies topmost there.
  void Click(QWidget* widget, QPoint point, Qt::MouseButton button = Qt::LeftButton);
  void ClickButton();
  void ClickControl();
  void ClickAnywhere();
  void ClickCanvas();
  void PressKey();
  void TypeStep();
  void PickInCombo();
  void PickFile();
  void PickFolder();
  void MoveScrollBar();
  void ChooseMenu();
  void ClickAbout();
  void DropFile();
  void UseShortcut();
  // Whether the folder list's entry `row` lies where the monkey may go: the
  // root or a folder of `root`.
  bool FolderAllowed(int row) const;
  void CloseStrayPopups();

  MainWindow& window_;
  std::mt19937 random_;
  Places places_;
  std::string last_;
  std::string lastFolder_;
  bool folderRowMoved_ = false;
};

}  // namespace zelk::app

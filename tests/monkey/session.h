// A window off screen on a program folder of its own, whose every user event
// is kept as a line of the driver's script.
#pragma once

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"

namespace zelk::app {

class Session {
 public:
  // The application, once, with the off-screen platform's notes about
  // keyboard grabs and raised windows kept quiet.
  static void SetUpApplication();

  // Makes the program folder (the sample logs and odd files beside them,
  // below) and shows a window on it; false when it could not. With a
  // `scriptPath`, each event is also written there as it comes.
  bool Start(const QString& scriptPath = {});

  // Files and other paths of the program folder to drop on the window: every
  // log, a folder, a missing file and logs in subfolders.
  QStringList Drops() const;
  // Leaves the program folder and the saves folder after the test.
  void Keep();
  // The driver run on the events so far: empty when it reaches the state the
  // window's page holds, else what differs or why it did not run.
  std::string ReplayDifference();

  MainWindow& window() { return *window_; }
  const std::vector<std::string>& lines() const { return lines_; }
  QString root() const { return root_.path(); }
  QString saves() const { return saves_.path(); }
  int messages() const { return messages_; }

 private:
  QTemporaryDir root_{QDir::tempPath() + "/zelk-monkey-XXXXXX"};
  QTemporaryDir saves_{QDir::tempPath() + "/zelk-monkey-saves-XXXXXX"};
  std::unique_ptr<MainWindow> window_;
  std::vector<std::string> lines_;
  std::ofstream script_;
  int messages_ = 0;
};

}  // namespace zelk::app

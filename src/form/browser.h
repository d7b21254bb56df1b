// The log browser: the drive, folder and file lists over the graph, and the
// opening of the log the user picks in them or names by its path.
#pragma once

#include <string>
#include <vector>

#include "form/controls.h"
#include "form/focus.h"
#include "form/selectors.h"
#include "session/session.h"

namespace zelk::form {

class Browser {
 public:
  // `programDir` is the folder of the running program, where `logs` is looked for.
  Browser(Controls& controls, session::Session& session, Selectors& selectors, Messages& messages,
          std::string programDir)
      : controls_(controls),
        session_(session),
        selectors_(selectors),
        messages_(messages),
        programDir_(std::move(programDir)) {}

  // Opens on the logs folder beside the program, or on the program's folder.
  void Start();
  void OpenMenu_Click();
  // File > Compare With...: the same browser, whose next pick opens a second
  // log over the loaded one instead of replacing it.
  void CompareMenu_Click();
  void Drive1_Change();
  void Dir1_Change();
  void File1_Click() { PickChosenFile(); }
  // The file list shows the logs or every file of the folder.
  void FileTypes_Click() { Dir1_Change(); }
  // The user picks an entry of a list: moves the drive, enters a folder,
  // opens a file.
  void PickDrive(int index);
  void PickFolder(int index);
  void PickFile(int index);
  // The user picks the file at `path`: the browser moves to its folder and the
  // file is opened. True when the log was loaded.
  bool OpenPath(const std::string& path);
  // The same for a second log compared with the loaded one (a recent file
  // or a file dropped with Ctrl held). True when it was accepted.
  bool ComparePath(const std::string& path);
  // Moves the browser to `folder`, as where the user last left it.
  void ShowFolder(const std::string& folder);
  // The window's title: the loaded log's file name, then the program's.
  std::string WindowTitle() const;

 private:
  bool PickChosenFile();
  bool PickPath(const std::string& path);
  void ShowBrowser();

  Controls& controls_;
  session::Session& session_;
  Selectors& selectors_;
  Messages& messages_;
  std::string programDir_;
  std::vector<std::string> dirPaths_;  // the folder behind each entry of Dir1
  bool forComparison_ = false;         // the next pick opens a second log
};

}  // namespace zelk::form

// The menus' small commands: exit, the About picture, the version history,
// the Options dialog and the start of the reader program.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "form/controls.h"
#include "form/focus.h"
#include "session/session.h"

namespace zelk::form {

// The program that records new logs, started by the "Log" button where the
// user has chosen no other in File > Options.
inline constexpr const char* kExternalReader = "C:\\Readzelk.exe";

class Commands {
 public:
  Commands(Controls& controls, session::Session& session, Messages& messages)
      : controls_(controls), session_(session), messages_(messages) {}

  void ExitMenu_Click() { exitRequested_ = true; }
  void AboutMenu_Click();
  void PictureAbout_Click();
  void Version_Click() { messages_.Show(session_.tables().versionHistory); }
  // File > Options asks the window for its Options dialog, which holds the
  // reader program's path; the window gives back what the user chose.
  void OptionsMenu_Click() { optionsRequested_ = true; }
  bool TakeOptionsRequest() { return std::exchange(optionsRequested_, false); }
  void SetReaderProgram(std::string path) { readerProgram_ = std::move(path); }
  const std::string& readerProgram() const { return readerProgram_; }
  // The "Log" button starts the reader program: the one chosen in File >
  // Options where it is a program this user may run (else a message names it
  // and says why not), or kExternalReader where none is chosen.
  void ShellButton_Click();
  // The window could not start `program`: the user is told, and the program
  // goes on.
  void ProgramNotStarted(const std::string& program);
  std::vector<std::string> TakeStarted() { return std::exchange(started_, {}); }
  bool exitRequested() const { return exitRequested_; }

 private:
  Controls& controls_;
  session::Session& session_;
  Messages& messages_;
  std::vector<std::string> started_;
  bool exitRequested_ = false;
  bool optionsRequested_ = false;
  std::string readerProgram_;  // empty: none chosen
};

}  // namespace zelk::form

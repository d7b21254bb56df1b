// The window panel: the list of window lengths, the paging arrows, the
// window's minutes and time caption, and the log's details beside them.
#pragma once

#include "form/controls.h"
#include "session/session.h"

namespace zelk::form {

class WindowPanel {
 public:
  WindowPanel(Controls& controls, session::Session& session)
      : controls_(controls), session_(session) {}

  // The list filled with the whole log and its lengths, the whole log chosen.
  void Start();
  void YAxis_Click();
  void NextImage_Click() { session_.Page(+1); }
  void PreviousImage_Click() { session_.Page(-1); }
  // The arrows, the minutes and the caption of the session's window, and the
  // list on its length.
  void Show();
  // The log's details: its samples, how many it records a second and its
  // length in whole minutes.
  void ShowDetails();

 private:
  Controls& controls_;
  session::Session& session_;
};

}  // namespace zelk::form

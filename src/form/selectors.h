// The user-defined channel's page and byte selectors, the long-term trim
// readout beside them, and the bit display of a byte of flags.
#pragma once

#include <string_view>

#include "form/controls.h"
#include "session/session.h"

namespace zelk::form {

class Selectors {
 public:
  Selectors(Controls& controls, session::Session& session)
      : controls_(controls), session_(session) {}

  // The selectors for a log just opened: the byte list's caption and place
  // for its kind, both lists filled, the session's byte chosen.
  void ShowLog();
  // Shows or hides the selectors (the page list only for a frame log).
  void Show(bool shown);
  void UserPageSelect_Click();
  void UserByteSelect_Click();
  // The bit display: the eight dots of a byte, or hidden.
  void ShowBits(std::string_view byteText);
  void HideBits();

 private:
  // `evenGaps`: every frame byte number is followed by two blanks, as the
  // page selector's rebuild writes them (the load writes one after 0F).
  void FillByteSelector(bool evenGaps);
  void SetTrimReadout();

  Controls& controls_;
  session::Session& session_;
};

}  // namespace zelk::form

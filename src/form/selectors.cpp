// The page and byte selectors of the user-defined channel.
#include "form/user_page.h"

namespace zelk::form {

void UserPage::UserLabel(std::string_view flag) {
  const bool shown = flag == "True";
  controls_(ctl::LabelInfo, 3).state.visible = shown;
  controls_(ctl::LabelInfo, 4).state.visible = shown;
  controls_(ctl::UserByteSelect).state.visible = shown;
  const bool pageShown = shown && log_.format == store::kFrameLog;
  controls_(ctl::UserPageSelect).state.visible = pageShown;
  controls_(ctl::LabelInfo, 6).state.visible = pageShown;
}

void UserPage::UserPageSelect_Click() {
  // The program's own selection during a load is not a page change.
  if (!vars_.pageSelectReady) {
    vars_.pageSelectReady = true;
    return;
  }
  if (log_.format != store::kFrameLog) return;
  FillByteSelector(true);
  controls_(ctl::UserByteSelect).state.index = 0;
  UserByteSelect_Click();
}

void UserPage::UserByteSelect_Click() { DisplayRefresh(); }

}  // namespace zelk::form

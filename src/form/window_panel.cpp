#include "form/window_panel.h"

#include <algorithm>
#include <string>

#include "text/number_text.h"

namespace zelk::form {

void WindowPanel::Start() {
  Control& windows = controls_(ctl::YAxis);
  windows.state.items = {"Full Trip"};
  for (int k = 1; k <= 5; ++k) {
    windows.state.items.push_back(text::BlankSigned(session_.tables().Minutes(k)) + " mins");
  }
  windows.state.index = 0;
  YAxis_Click();
}

void WindowPanel::YAxis_Click() {
  const ControlState& list = controls_(ctl::YAxis).state;
  if (list.index >= 0 && list.index < static_cast<int>(list.items.size())) {
    session_.SetWindowLength(session_.tables().Minutes(list.index));
    return;
  }
  // With no length chosen the window stays, and the graph is drawn again.
  session_.SetWindowLength(std::nullopt);
  session_.Notify(session::kChannelChanged);
}

// A zoomed window gives its minutes to a tenth, since it starts and ends
// between whole minutes. The details stay the log's.
void WindowPanel::Show() {
  const chart::TimeWindow& w = session_.window();
  const bool zoomed = session_.zoomed();
  controls_(ctl::PreviousImage).state.visible = w.hasPrevious;
  controls_(ctl::NextImage).state.visible = w.hasNext;
  const auto minutesText = [zoomed](double m) {
    return (zoomed ? text::FormatFixed(m, 1) : text::Plain(m)) + " mins";
  };
  controls_(ctl::Duration).state.caption =
      minutesText(w.startMins) + " to " + minutesText(w.endMins);
  controls_(ctl::YLabel).state.caption = w.Caption();
  // A length chosen other than from the list shows there too.
  ControlState& list = controls_(ctl::YAxis).state;
  if (const auto minutes = session_.lengthMinutes()) {
    for (int k = 0; k < static_cast<int>(list.items.size()); ++k) {
      if (session_.tables().Minutes(k) == *minutes) list.index = k;
    }
  }
}

void WindowPanel::ShowDetails() {
  const session::LoadedFile& file = session_.file();
  const double rate = text::RoundHalfEven(file.samplesPerMinute / 60.0 * 100) / 100;
  controls_(ctl::DataText, 0).state.caption =
      text::Plain(std::max<long>(session_.log().sampleCount - 1, 0));
  controls_(ctl::DataText, 1).state.caption = text::Plain(rate) + "/sec";
  controls_(ctl::DataText, 2).state.caption = text::Plain(file.tripMins) + " mins";
}

}  // namespace zelk::form

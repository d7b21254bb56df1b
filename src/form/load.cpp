// The load sequence: read the chosen file, then set up the selectors, the
// time base and the window for the new log.
#include <string>

#include "form/user_page.h"

namespace zelk::form {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

bool UserPage::LoadData() {
  store::LogData fresh;
  const store::ReadResult read = store::ReadLogFile(vars_.file.path, fresh);
  if (read.outcome == store::ReadOutcome::CannotRead) {
    ShowMessage("Cannot read \"" + vars_.file.path + "\": " + read.problem + ".");
    OpenMenu_Click();
    return false;
  }
  if (read.outcome == store::ReadOutcome::NotAFrameLog) {
    ShowMessage("Not a valid ZELK data file");
    OpenMenu_Click();
    return false;
  }
  // Accepted: the new log replaces the old one whole, and only now do the
  // kind of log and the byte list's caption and place follow it.
  log_ = std::move(fresh);
  const bool frameLog = log_.format == store::kFrameLog;
  Control& byteCaption = controls_(ctl::LabelInfo, 4);
  Control& byteList = controls_(ctl::UserByteSelect);
  byteCaption.state.top = frameLog ? 4300 : 3700;
  byteCaption.state.caption = frameLog ? "Byte" : "Byte/Field";
  byteList.state.top = frameLog ? 4560 : 4000;

  Control& pageList = controls_(ctl::UserPageSelect);
  pageList.state.items = {"0x80 Status Page", "0x7D Status Page"};
  vars_.pageSelectReady = false;
  pageList.state.index = 1;
  UserPageSelect_Click();

  FillByteSelector(false);
  controls_(ctl::LTFTValue).state.visible = false;
  controls_(ctl::LabelInfo, 21).state.visible = false;

  switch (log_.format) {
    case store::kFrameLog:
      vars_.file.samplesPerMinute = 145;
      byteList.state.index = 1;
      UserByteSelect_Click();
      SetTrimReadout();
      break;
    case store::kTimeLog:
      vars_.file.samplesPerMinute = 60;
      byteList.state.index = 0;
      UserByteSelect_Click();
      break;
    case store::kShortTimeLog:
      vars_.file.samplesPerMinute = 150;
      byteList.state.index = 0;
      UserByteSelect_Click();
      break;
  }
  vars_.window.startMins = 0;
  vars_.file.tripMins =
      text::ToInt16(static_cast<double>(log_.sampleCount) / vars_.file.samplesPerMinute)
          .value_or(0);
  EvalYStart();
  vars_.window.yStart = 1;
  LoadFaultCodes();
  controls_(ctl::SaveGraphMenu).state.enabled = true;
  controls_(ctl::ExportDataMenu).state.enabled = true;
  if (!vars_.file.everLoaded) {
    vars_.file.everLoaded = true;
    ShowChannel(*channels::ChannelOf(channels::ChannelId::EngineSpeed));
  }
  if (read.truncated) {
    ShowMessage("\"" + vars_.file.name +
                "\" is longer than ZelkScope can hold: it was cut at line " +
                std::to_string(read.truncatedAtLine) + ", after " +
                std::to_string(log_.sampleCount - 1) + " samples.");
  }
  return true;
}

// The byte list for the kind of log just loaded.
void UserPage::FillByteSelector(bool evenGaps) {
  Control& byteList = controls_(ctl::UserByteSelect);
  byteList.state.items.clear();
  byteList.state.index = -1;
  switch (log_.format) {
    case store::kFrameLog: {
      const int page = controls_(ctl::UserPageSelect).state.index == 1 ? 1 : 0;
      const int last = page == 1 ? 31 : 27;
      for (int k = 0; k <= last; ++k) {
        std::string entry{kHexDigits[k / 16], kHexDigits[k % 16]};
        entry += (k < 16 || evenGaps) ? "  " : " ";
        byteList.state.items.push_back(entry + tables_.FieldName(page, k));
      }
      break;
    }
    case store::kTimeLog:
      for (int k = 0; k <= 30; ++k) {
        byteList.state.items.push_back(" " + std::to_string(k + 1) + " " +
                                       tables_.ColumnName(k + 1));
      }
      break;
    case store::kShortTimeLog:
      for (int k = 0; k <= 10; ++k) {
        byteList.state.items.push_back(" " + std::to_string(k + 1) + " " +
                                       tables_.ShortColumnName(k + 1));
      }
      break;
  }
}

// The long-term fuel trim: byte 11 of the 50th 0x7D frame, or of the 2nd in
// a short log. A log without that frame, or with no hexadecimal byte there,
// shows an empty readout.
void UserPage::SetTrimReadout() {
  const std::string_view frame = log_.Frame7D(log_.sampleCount > 50 ? 50 : 2);
  const auto value = text::HexStrict(store::FrameByte(frame, 11));
  controls_(ctl::LTFTValue).state.caption = value ? std::to_string(*value) : "";
  controls_(ctl::LTFTValue).state.visible = true;
  controls_(ctl::LabelInfo, 21).state.visible = true;
}

}  // namespace zelk::form

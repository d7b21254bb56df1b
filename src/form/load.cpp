// The load sequence: read the chosen file, then set up the selectors, the
// time base and the window for the new log.
#include <algorithm>
#include <string>

#include "form/user_page.h"

namespace zelk::form {
namespace {

// The byte list's caption and where it and its caption stand: a frame log's
// bytes are listed below the page list, a column log's fields higher up, in
// the page list's place.
struct ByteListPlace {
  const char* caption;
  int captionTop, listTop;
};
constexpr ByteListPlace kFrameByteList{"Byte", 4300, 4560};
constexpr ByteListPlace kColumnByteList{"Byte/Field", 3700, 4000};

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
    ShowMessage("Not a valid ZELK data file: \"" + vars_.file.path + "\"");
    OpenMenu_Click();
    return false;
  }
  // Accepted: the new log replaces the old one whole, and only now do the
  // kind of log and the byte list's caption and place follow it.
  log_ = std::move(fresh);
  ++logId_;
  const store::LogKind& kind = store::KindOf(log_.format);
  const ByteListPlace& place = kind.frames ? kFrameByteList : kColumnByteList;
  Control& byteCaption = controls_(ctl::LabelInfo, 4);
  Control& byteList = controls_(ctl::UserByteSelect);
  byteCaption.state.top = place.captionTop;
  byteCaption.state.caption = place.caption;
  byteList.state.top = place.listTop;

  Control& pageList = controls_(ctl::UserPageSelect);
  pageList.state.items = {"0x80 Status Page", "0x7D Status Page"};
  vars_.pageSelectReady = false;
  pageList.state.index = 1;
  UserPageSelect_Click();

  FillByteSelector(false);
  controls_(ctl::LTFTValue).state.visible = false;
  controls_(ctl::LabelInfo, 21).state.visible = false;

  vars_.file.samplesPerMinute = kind.samplesPerMinute;
  byteList.state.index = kind.selectedAfterLoad;
  UserByteSelect_Click();
  // Only frame logs carry the long-term trim.
  if (kind.frames) SetTrimReadout();
  vars_.window.startMins = 0;
  vars_.zoomBack.clear();  // a new log starts on the window list's window
  // The log's length: its samples over its samples a minute, to the minute.
  vars_.file.tripMins =
      text::ToInt16(static_cast<double>(log_.sampleCount - 1) / vars_.file.samplesPerMinute)
          .value_or(0);
  ShowDetails();
  EvalYStart();
  LoadFaultCodes();
  controls_(ctl::SaveGraphMenu).state.enabled = true;
  controls_(ctl::ExportDataMenu).state.enabled = true;
  if (!vars_.file.everLoaded) {
    vars_.file.everLoaded = true;
    ShowChannel(*channels::ChannelOf(channels::ChannelId::EngineSpeed));
  }
  if (read.truncated) {
    const long samples = log_.sampleCount - 1;
    ShowMessage("\"" + vars_.file.name +
                "\" is longer than ZelkScope can hold: it was cut at line " +
                std::to_string(read.truncatedAtLine) + ", after " + std::to_string(samples) +
                (samples == 1 ? " sample." : " samples."));
  }
  return true;
}

// The log's details: the samples it holds, how many it records a second and
// its length in whole minutes.
void UserPage::ShowDetails() {
  const double rate = text::RoundHalfEven(vars_.file.samplesPerMinute / 60.0 * 100) / 100;
  controls_(ctl::DataText, 0).state.caption = text::Plain(std::max<long>(log_.sampleCount - 1, 0));
  controls_(ctl::DataText, 1).state.caption = text::Plain(rate) + "/sec";
  controls_(ctl::DataText, 2).state.caption = text::Plain(vars_.file.tripMins) + " mins";
}

// The byte list for the kind of log just loaded.
void UserPage::FillByteSelector(bool evenGaps) {
  Control& byteList = controls_(ctl::UserByteSelect);
  byteList.state.items.clear();
  byteList.state.index = -1;
  const store::LogKind& kind = store::KindOf(log_.format);
  const int page = controls_(ctl::UserPageSelect).state.index == 1 ? 1 : 0;
  for (int k = 0; k < kind.listed[page]; ++k) {
    const std::string& name = tables_.EntryName(log_.format, page, k);
    if (kind.frames) {
      // A byte by its number in hexadecimal, a column by its own from 1.
      std::string entry = text::HexText(k);
      entry += (k < 16 || evenGaps) ? "  " : " ";
      byteList.state.items.push_back(entry + name);
    } else {
      byteList.state.items.push_back(" " + std::to_string(k + 1) + " " + name);
    }
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

#include "session/session.h"

#include <algorithm>

#include "store/log_kinds.h"
#include "text/number_text.h"

namespace zelk::session {

Session::Session() : tables_(store::InitTables()) {}

void Session::Notify(unsigned changes) {
  for (const Listener& listener : listeners_) listener(changes);
}

Opened Session::Open(const std::string& path, const std::string& name) {
  store::LogData fresh;
  const store::ReadResult read = store::ReadLogFile(path, fresh);
  if (read.outcome == store::ReadOutcome::CannotRead) {
    return {false, {"Cannot read \"" + path + "\": " + read.problem + "."}};
  }
  if (read.outcome == store::ReadOutcome::NotAFrameLog) {
    return {false, {"Not a valid ZELK data file: \"" + path + "\""}};
  }
  // Accepted: the new log replaces the old one whole.
  log_ = std::move(fresh);
  ++logId_;
  const store::LogKind& kind = store::KindOf(log_.format);
  file_.path = path;
  file_.name = name;
  file_.samplesPerMinute = kind.samplesPerMinute;
  // The log's length: its samples over its samples a minute, to the minute.
  file_.tripMins =
      text::ToInt16(static_cast<double>(log_.sampleCount - 1) / kind.samplesPerMinute).value_or(0);
  faultSpans_ = status::FaultSpans(log_);
  // A new log shows its kind's usual byte of the 0x7D frame, starts on the
  // window list's window from minute 0, and on engine speed the first time.
  ChooseByteQuietly(1, kind.selectedAfterLoad);
  window_.startMins = 0;
  zoomBack_.clear();
  EvalWindow();
  if (!file_.everLoaded) {
    file_.everLoaded = true;
    channel_ = channels::ChannelId::EngineSpeed;
  }
  CheckMarker();
  Opened opened{true, {}};
  if (read.truncated) {
    const long samples = log_.sampleCount - 1;
    opened.messages.push_back("\"" + name +
                              "\" is longer than ZelkScope can hold: it was cut at line " +
                              std::to_string(read.truncatedAtLine) + ", after " +
                              std::to_string(samples) + (samples == 1 ? " sample." : " samples."));
  }
  // Without a window length chosen the window stays as it was.
  Notify(kLogChanged | (lengthMinutes_ ? kWindowChanged : 0u) | kChannelChanged | kByteChanged |
         kMarkerChanged);
  return opened;
}

void Session::Restart() {
  file_ = {};
  channel_ = channels::ChannelId::None;
  byte_ = {};
  window_ = {};
  lengthMinutes_.reset();
  zoomBack_.clear();
  marker_ = {};
}

// ---- Channels ----

void Session::ChooseChannel(channels::ChannelId id) {
  channel_ = id;
  CheckMarker();
  Notify(kChannelChanged);
}

void Session::ChooseByteQuietly(int page, int byte) {
  byte_.page = page == 0 ? 0 : 1;
  byte_.byte = byte;
  byte_.name = tables_.EntryName(log_.format, byte_.page, byte_.byte);
  byte_.bitField =
      store::KindOf(log_.format).frames && tables_.BitFlag(byte_.page, byte_.byte) == 1;
}

void Session::ChooseByte(int page, int byte) {
  ChooseByteQuietly(page, byte);
  CheckMarker();
  Notify(kByteChanged);
}

const channels::Tables& Session::Decoded(const channels::ChannelRow& channel) {
  return decoded_.Of(channel, log_, logId_, byte_);
}

std::vector<channels::ValueRow> Session::ValuesAt(long i) {
  return decoded_.At(log_, logId_, byte_, i);
}

}  // namespace zelk::session

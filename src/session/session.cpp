#include "session/session.h"

#include <algorithm>

#include "store/log_kinds.h"
#include "text/number_text.h"

namespace zelk::session {

Session::Session() : tables_(store::InitTables()) {}

void Session::Notify(unsigned changes) {
  for (const Listener& listener : listeners_) listener(changes);
}

Opened ReadLog(const std::string& path, const std::string& name, store::LogData& fresh) {
  const store::ReadResult read = store::ReadLogFile(path, fresh);
  if (read.outcome == store::ReadOutcome::CannotRead) {
    return {false, {"Cannot read \"" + path + "\": " + read.problem + "."}};
  }
  if (read.outcome == store::ReadOutcome::NotAFrameLog) {
    return {false, {"Not a valid ZELK data file: \"" + path + "\""}};
  }
  Opened opened{true, {}};
  if (read.truncated) {
    const long samples = fresh.sampleCount - 1;
    opened.messages.push_back("\"" + name +
                              "\" is longer than ZelkScope can hold: it was cut at line " +
                              std::to_string(read.truncatedAtLine) + ", after " +
                              std::to_string(samples) + (samples == 1 ? " sample." : " samples."));
  }
  return opened;
}

Opened Session::Open(const std::string& path, const std::string& name) {
  store::LogData fresh;
  Opened opened = ReadLog(path, name, fresh);
  if (!opened.accepted) return opened;
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
  // A second log was compared with the log this one replaces.
  const bool compared = comparison_ != nullptr;
  comparison_.reset();
  // Without a window length chosen the window stays as it was.
  Notify(kLogChanged | (lengthMinutes_ ? kWindowChanged : 0u) | kChannelChanged | kByteChanged |
         kMarkerChanged | (compared ? kComparisonChanged : 0u));
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
  comparison_.reset();
}

// ---- Channels ----

void Session::ChooseChannel(channels::ChannelId id) {
  channel_ = id;
  CheckMarker();
  Notify(kChannelChanged);
}

channels::ByteChoice Session::ByteChoiceFor(store::LogFormat format, int page, int byte) const {
  channels::ByteChoice choice;
  choice.page = page == 0 ? 0 : 1;
  choice.byte = byte;
  choice.name = tables_.EntryName(format, choice.page, choice.byte);
  choice.bitField = store::KindOf(format).frames && tables_.BitFlag(choice.page, choice.byte) == 1;
  return choice;
}

void Session::ChooseByteQuietly(int page, int byte) {
  byte_ = ByteChoiceFor(log_.format, page, byte);
  // The second log shows the same byte, which its own kind names.
  if (comparison_) comparison_->byte = ByteChoiceFor(comparison_->log.format, page, byte);
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

// Every quantity the log records at one sample, with its unit: one row per
// series of every channel, holding the number the data table and the marker
// give for it. Each channel is decoded once per log, so that reading a sample
// off them costs no decode.
#pragma once

#include <string>
#include <vector>

#include "channels/series.h"

namespace zelk::channels {

struct ValueRow {
  std::string quantity;  // "Coolant", "Engine speed"
  std::string value;     // "85", or kNotRecorded
  std::string unit;      // "°C"; empty where the value has none
  bool operator==(const ValueRow&) const = default;
};

// The value of a quantity that the log's kind does not record, or records
// as no number at that sample.
inline constexpr const char* kNotRecorded = "not recorded";

// The quantity and unit that an exported series name stands for: its last
// word is its unit where it names one. "coolant_c" -> "Coolant", "°C".
ValueRow NameAndUnit(std::string_view seriesName);

// The rows of one channel at sample i: each series the log records with its
// number, then each it does not record as not recorded. `choice` names the
// user-defined byte.
std::vector<ValueRow> ChannelValuesAt(const ChannelRow& channel, const store::LogData& log,
                                      const Tables& tables, const ByteChoice& choice, long i);

// Every channel's tables, decoded from one log.
class DecodedChannels {
 public:
  // Decodes what is out of date: every channel for a log other than the one
  // last decoded (`logId` tells them apart), only the user-defined channel
  // for another byte choice.
  void Update(const store::LogData& log, unsigned long logId, const ByteChoice& choice);

  // The rows at sample i, channel by channel in the order of their buttons.
  std::vector<ValueRow> At(const store::LogData& log, long i) const;

  // A channel's tables as last decoded; nothing before a decode.
  const Tables* TablesOf(ChannelId id) const;
  // The byte choice the user-defined channel was last decoded for.
  const ByteChoice& choice() const { return choice_; }

 private:
  std::vector<Tables> tables_;  // parallel to ChannelTable()
  unsigned long logId_ = 0;
  bool decoded_ = false;
  ByteChoice choice_;
};

}  // namespace zelk::channels

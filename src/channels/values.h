// Every quantity the log records at one sample, with its unit: one row per
// series of every channel, holding the number the data table and the marker
// give for it. Each channel is decoded once per log, so that reading a sample
// off them costs no decode.
#pragma once

#include <functional>
#include <memory>
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

// The quantity the user-defined byte's row names: "User-defined: Coolant
// Temp", "User-defined: none" before a byte is chosen.
std::string ByteQuantity(const ByteChoice& choice);

// One channel's rows at sample i, as the values panel lists them: each
// series the log records with its number (kNotRecorded where the text is no
// number), then the series it does not record.
std::vector<ValueRow> ValuesOf(const ChannelRow& channel, const store::LogData& log,
                               const Tables& tables, const ByteChoice& choice, long i);

// Where a view reads any channel's decoded tables, with the byte the
// user-defined channel was decoded for.
struct TablesSource {
  const ByteChoice& choice;
  std::function<const Tables&(const ChannelRow&)> tables;
};

// Every channel's tables, decoded from one log: each the first time it is
// asked for, the user-defined one again for another byte, and kept for every
// view that shows the same log.
class DecodedChannels {
 public:
  // The channel's tables for this log (`logId` tells the logs apart) and
  // byte choice.
  const Tables& Of(const ChannelRow& channel, const store::LogData& log, unsigned long logId,
                   const ByteChoice& choice);

  // The rows at sample i, channel by channel in the order of their buttons.
  std::vector<ValueRow> At(const store::LogData& log, unsigned long logId, const ByteChoice& choice,
                           long i);

  // How many decodes have run: a view that draws again decodes nothing.
  long decodes() const { return decodes_; }

  // These tables as a source for views: `log` (told apart by `logId`) for
  // `choice`, each of which must outlive the source.
  TablesSource Source(const store::LogData& log, unsigned long logId, const ByteChoice& choice) {
    return {choice, [this, &log, logId, &choice](const ChannelRow& channel) -> const Tables& {
              return Of(channel, log, logId, choice);
            }};
  }

 private:
  // A channel's tables are made the first time it is decoded: each holds
  // every sample's text, and a view seldom shows every channel.
  struct Entry {
    bool decoded = false;
    unsigned long logId = 0;
    ByteChoice choice;
    std::unique_ptr<Tables> tables;
  };
  std::vector<Entry> entries_;  // parallel to ChannelTable()
  long decodes_ = 0;
};

}  // namespace zelk::channels

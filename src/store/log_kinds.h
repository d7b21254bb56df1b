// What each kind of log is: how its first field announces it, how its
// records are laid out, how often it samples and what the byte list offers
// from it. Code that needs such a fact reads it here; how a channel decodes
// each kind stays with the channel.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace zelk::store {

enum LogFormat : int16_t { kFrameLog = 0, kTimeLog = 1, kShortTimeLog = 2 };

struct LogKind {
  LogFormat format = kFrameLog;
  // What the file's first field starts with. The frame log has none: it is
  // any file that no other kind claims.
  std::string_view firstField{};
  // 0x80 and 0x7D frames of hexadecimal bytes, rather than records of
  // comma-separated columns.
  bool frames = false;
  int16_t samplesPerMinute = 0;
  // Column logs: the fields of the header, and those of a record (a row's
  // values and the time field of the row after it).
  int headerFields = 0;
  int recordFields = 0;
  // The entries of the byte list with page 0 or page 1 chosen in the page
  // list (0x80 or 0x7D frame bytes); a column log lists its columns on either.
  std::array<int, 2> listed{};
  // The entry of the byte list chosen once the log is loaded.
  int selectedAfterLoad = 0;
};

// Indexed by LogFormat.
inline constexpr LogKind kLogKinds[] = {
    {.format = kFrameLog,
     .frames = true,
     .samplesPerMinute = 145,
     .listed = {28, 32},
     .selectedAfterLoad = 1},
    {.format = kTimeLog,
     .firstField = "Time",
     .samplesPerMinute = 60,
     .headerFields = 33,
     .recordFields = 32,
     .listed = {31, 31}},
    {.format = kShortTimeLog,
     .firstField = "#time",
     .samplesPerMinute = 150,
     .headerFields = 11,
     .recordFields = 11,
     .listed = {11, 11}},
};

static_assert(
    [] {
      for (size_t f = 0; f < std::size(kLogKinds); ++f) {
        if (kLogKinds[f].format != static_cast<LogFormat>(f)) return false;
      }
      return true;
    }(),
    "kLogKinds is indexed by LogFormat");

constexpr const LogKind& KindOf(LogFormat format) { return kLogKinds[format]; }

// The minutes from a log's start to its sample i, samples being numbered from
// 1 and taken `samplesPerMinute` a minute: sample 1 is at 0. Every time the
// program gives a sample (the axis, the marker, the tables, the lamps) is
// this one.
constexpr double MinutesOf(long i, double samplesPerMinute) {
  return samplesPerMinute > 0 ? static_cast<double>(i - 1) / samplesPerMinute : 0;
}

// The kind of log that a first field announces.
constexpr LogFormat FormatOfFirstField(std::string_view field) {
  for (const LogKind& kind : kLogKinds) {
    if (!kind.firstField.empty() && field.starts_with(kind.firstField)) return kind.format;
  }
  return kFrameLog;
}

}  // namespace zelk::store

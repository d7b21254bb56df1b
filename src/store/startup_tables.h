// The fixed tables filled once at start-up: byte names of the two frames,
// which bytes are bit fields, the column names of the two column logs, the
// time-window lengths and the version history.
#pragma once

#include <array>
#include <cstdint>
#include <iterator>
#include <string>

#include "store/log_kinds.h"

namespace zelk::store {

struct StartupTables {
  std::array<std::array<std::string, 33>, 3> fieldNames;  // page 0..2, byte 0..32
  std::array<std::array<int16_t, 71>, 3> bitFlags{};      // page 0..2, byte 0..70
  // The column names of each kind of log, by LogFormat (none for the frame
  // log), column 0..40.
  std::array<std::array<std::string, 41>, std::size(kLogKinds)> columnNames;
  std::array<int16_t, 7> minutes{};  // 0..6; 1..5 used
  std::string versionHistory;

  // Bounds-checked reads: outside the table, the empty text or 0.
  const std::string& FieldName(int page, int byte) const;
  int16_t BitFlag(int page, int byte) const;
  const std::string& ColumnName(LogFormat format, int column) const;
  // The name of entry `entry` (from 0) of the byte list for a kind of log:
  // byte `entry` of frame page `page`, or column `entry` + 1 (columns count
  // from 1, as the list shows them).
  const std::string& EntryName(LogFormat format, int page, int entry) const;
  int16_t Minutes(int k) const;
};

StartupTables InitTables();

}  // namespace zelk::store

// The fixed tables filled once at start-up: byte names of the two frames,
// which bytes are bit fields, the column names of the two column logs, the
// time-window lengths and the version history.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zelk::store {

struct StartupTables {
  std::array<std::array<std::string, 33>, 3> fieldNames;  // page 0..2, byte 0..32
  std::array<std::array<int16_t, 71>, 3> bitFlags{};      // page 0..2, byte 0..70
  std::array<std::string, 41> columnNames;                // 0..40
  std::array<std::string, 41> shortColumnNames;           // 0..40
  std::array<int16_t, 7> minutes{};                       // 0..6; 1..5 used
  std::string versionHistory;

  // Bounds-checked reads: outside the table, the empty text or 0.
  const std::string& FieldName(int page, int byte) const;
  int16_t BitFlag(int page, int byte) const;
  const std::string& ColumnName(int column) const;
  const std::string& ShortColumnName(int column) const;
  int16_t Minutes(int k) const;
};

StartupTables InitTables();

}  // namespace zelk::store

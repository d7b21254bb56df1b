// The loaded log itself: its frames or column records, read-only for all but
// the readers that fill it (store/log_reader.h).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/log_kinds.h"

namespace zelk::store {

// Table limits: indexes above these are never stored.
inline constexpr long kMaxLogLines = 100000;
inline constexpr long kMaxFrames = 10000;
inline constexpr long kMaxRecords = 10000;
inline constexpr int kMaxColumns = 40;

// Where a row of a column log starts and ends in the file's text.
struct RowSpan {
  uint32_t start = 0, end = 0;
};

class LogData {
 public:
  LogFormat format = kFrameLog;
  int16_t sampleCount = 0;  // one above the last sample; 0 before any load

  // Reads outside the table or past what the log filled give the empty text.
  std::string_view LogLine(long k) const;
  std::string_view Frame80(long i) const;
  std::string_view Frame7D(long i) const;
  std::string_view Column(long record, long column) const;       // "Time" log
  std::string_view ShortColumn(long record, long column) const;  // "#time" log
  // The time a column log records for sample i, as written in its row
  // ("08:12:00.000", "0.40"); empty for a frame log, which records none.
  std::string_view RowTime(long i) const;

  long logLineCount() const { return static_cast<long>(logLines_.size()); }
  long frame80Count() const { return static_cast<long>(frame80_.size()); }
  long frame7DCount() const { return static_cast<long>(frame7D_.size()); }
  long recordCount() const;

 private:
  friend struct Reader;
  std::string_view Field(long record, long column) const;

  // The file's text; frame views point into it, so it lives on the heap and
  // stays in place when the log is moved.
  std::unique_ptr<char[]> bytes_;
  size_t size_ = 0;
  std::string_view Text() const { return {bytes_.get(), size_}; }
  std::vector<std::string_view> logLines_, frame80_, frame7D_;  // from index 1
  // A column field's stored text: a stretch of the file's text, or of
  // `stored_` (flagged in `size`) for the few whose stored text is not part
  // of the file's (".5" is stored as "0.5"). Half the size of a view.
  struct FieldText {
    uint32_t start = 0, size = 0;
  };
  static constexpr uint32_t kInStored = 1u << 31;
  // Column records, `columns_` fields each, record 1 first.
  std::vector<FieldText> fields_;
  std::string stored_;
  long columns_ = 0;

  // Column logs whose data rows each hold a time field and one record's
  // values, with no quotes (as loggers write them), keep only where each row
  // starts and ends; a column's fields are found when it is first read, so a
  // load costs little more than a look at every byte. Record r is row r's
  // values and the time field of row r + 1. Otherwise `fields_` holds all.
  struct LazyColumn {
    bool found = false;
    std::vector<FieldText> fields;  // one a record
    std::string stored;             // stored texts that are not the file's
  };
  const LazyColumn& FoundColumn(long column) const;
  std::vector<RowSpan> recordLines_;             // one a data row
  mutable std::vector<LazyColumn> lazyColumns_;  // column 1 first
  // Read field by field: each data row's time field as written, row 1 first.
  std::vector<std::string_view> rowTimes_;
};

// Byte b of a frame text: the two characters at positions 3b + 5 and 3b + 6
// (1-based); empty when the text ends before them.
std::string_view FrameByte(std::string_view frame, int b);

// Byte b of a frame as a number 0..255; nothing when the frame text is too
// short or the two characters are not hexadecimal.
std::optional<int> FrameByteValue(std::string_view frame, int b);

}  // namespace zelk::store

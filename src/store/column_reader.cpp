// The column logs ("Time" and "#time"): a header line of column names, then
// one row a sample, each a time field and the sample's values.
#include <algorithm>

#include "store/log_reader.h"
#include "store/row_scan.h"

namespace zelk::store {

ReadResult Reader::ReadColumns(FieldReader& r, LogData& log, const LogKind& kind, bool capped) {
  ReadResult result;
  const int columns = kind.recordFields;
  log.columns_ = columns;
  // The header is skipped with the first field of the first data row. When
  // the header ends its line and every row that follows holds a time field
  // and the values of one record, the rows are enough: a record's columns
  // are found as they are read.
  for (int i = 1; i < kind.headerFields && !r.AtEnd(); ++i) r.Next();
  const std::string_view all = log.Text();
  const size_t rows = r.Position();
  const bool headerEndsItsLine = rows > 0 && (all[rows - 1] == '\n' || all[rows - 1] == '\r');
  // The first data row's time field; each later row's closes a record.
  if (!r.AtEnd()) log.rowTimes_.push_back(r.Next());
  if (!capped && headerEndsItsLine && !r.AtEnd()) {
    if (auto lines = RecordLines(all, rows, columns)) {
      log.recordLines_ = std::move(*lines);
      log.lazyColumns_.resize(static_cast<size_t>(columns));
      log.rowTimes_.clear();
      // Every row is a sample, the last one too, although no row after it
      // gives its record the closing time field.
      log.sampleCount = static_cast<int16_t>(log.recordLines_.size() + 1);
      return result;
    }
  }
  // Every field takes at least its separator's byte.
  const size_t most = static_cast<size_t>((kMaxRecords + 1) * columns);
  log.fields_.reserve(std::min(most, log.size_ + static_cast<size_t>(columns)));
  const char* const text = log.bytes_.get();
  const char* const textEnd = text + log.size_;
  long record = 1;
  int column = 1;
  LogData::FieldText* slot = nullptr;
  while (!r.AtEnd()) {
    if (record > kMaxRecords) {
      result.truncated = true;
      result.truncatedAtLine = r.NextLine();
      break;
    }
    const std::string_view field = r.Next();
    // A record is laid out whole at its first field, so the columns of a
    // record that the file leaves unfinished read as empty texts.
    if (column == 1) {
      log.fields_.resize(log.fields_.size() + static_cast<size_t>(columns));
      slot = log.fields_.data() + log.fields_.size() - columns;
    }
    *slot++ = StoreField(field, text, textEnd, log.stored_);
    if (column == columns) log.rowTimes_.push_back(field);
    if (++column > columns) {
      ++record;
      column = 1;
    }
  }
  // A record that lacks only its last field, the time field of a row that
  // never came, holds the last row's values: it is a sample like the others.
  if (column == columns) ++record;
  log.sampleCount = static_cast<int16_t>(record);
  return result;
}

}  // namespace zelk::store

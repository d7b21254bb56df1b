#include "store/log_data.h"

#include <cstring>

#include "store/log_reader.h"
#include "store/row_scan.h"
#include "text/number_text.h"

namespace zelk::store {
namespace {

std::string_view At(const std::vector<std::string_view>& table, long i) {
  return (i >= 1 && i <= static_cast<long>(table.size())) ? table[i - 1] : std::string_view{};
}

}  // namespace

std::string_view LogData::LogLine(long k) const { return At(logLines_, k); }
std::string_view LogData::Frame80(long i) const { return At(frame80_, i); }
std::string_view LogData::Frame7D(long i) const { return At(frame7D_, i); }

long LogData::recordCount() const {
  if (!lazyColumns_.empty()) return static_cast<long>(recordLines_.size());
  return columns_ ? static_cast<long>(fields_.size()) / columns_ : 0;
}

std::string_view LogData::Field(long record, long column) const {
  if (record < 1 || record > recordCount() || column < 1 || column > columns_) return {};
  FieldText f;
  std::string_view stored = stored_;
  if (lazyColumns_.empty()) {
    f = fields_[static_cast<size_t>((record - 1) * columns_ + column - 1)];
  } else {
    const LazyColumn& found = FoundColumn(column);
    f = found.fields[static_cast<size_t>(record - 1)];
    stored = found.stored;
  }
  const std::string_view text = (f.size & kInStored) ? stored : Text();
  return text.substr(f.start, f.size & ~kInStored);
}

std::string_view LogData::Column(long record, long column) const {
  return format == kTimeLog ? Field(record, column) : std::string_view{};
}

std::string_view LogData::ShortColumn(long record, long column) const {
  return format == kShortTimeLog ? Field(record, column) : std::string_view{};
}

std::string_view LogData::RowTime(long i) const {
  if (format == kFrameLog || i < 1) return {};
  if (lazyColumns_.empty()) return At(rowTimes_, i);
  if (i > static_cast<long>(recordLines_.size())) return {};
  // The row's first field, up to its comma.
  const RowSpan& line = recordLines_[static_cast<size_t>(i - 1)];
  std::string_view row = Text().substr(line.start, line.end - line.start);
  while (!row.empty() && (row.front() == ' ' || row.front() == '\t')) row.remove_prefix(1);
  return row.substr(0, row.find(','));
}

// Built with the processor's own bit count where it has one. clang cannot
// make a function multiversioned once it has been used above (Field), so
// there it is built in its one default version.
#if defined(__clang__)
#define ZELK_POPCNT_CLONES
#else
#define ZELK_POPCNT_CLONES __attribute__((target_clones("popcnt", "default")))
#endif
ZELK_POPCNT_CLONES const LogData::LazyColumn& LogData::FoundColumn(long column) const {
  LazyColumn& found = lazyColumns_[static_cast<size_t>(column - 1)];
  if (found.found) return found;
  found.found = true;
  const char* const text = bytes_.get();
  const char* const textEnd = text + size_;
  const size_t rows = recordLines_.size();
  found.fields.reserve(rows);
  for (size_t r = 0; r < rows; ++r) {
    // A record is a row's values, then the time field that opens the next
    // row; the last record has none.
    const bool last = column == columns_;
    if (last && r + 1 == rows) {
      found.fields.push_back({});
      continue;
    }
    const RowSpan& line = recordLines_[last ? r + 1 : r];
    const char* p = text + line.start;
    const char* const end = text + line.end;
    // Every row holds all its fields, so the commas are there to count.
    p = AfterCommas(p, textEnd, last ? 0 : column);
    while (p != end && (*p == ' ' || *p == '\t')) ++p;
    const void* comma = std::memchr(p, ',', static_cast<size_t>(end - p));
    const char* const fieldEnd = comma ? static_cast<const char*>(comma) : end;
    found.fields.push_back(Reader::StoreField(
        std::string_view(p, static_cast<size_t>(fieldEnd - p)), text, textEnd, found.stored));
  }
  return found;
}

std::string_view FrameByte(std::string_view frame, int b) {
  if (b < 0) return {};
  const size_t pos = static_cast<size_t>(3 * b + 4);
  if (pos + 2 > frame.size()) return {};
  return frame.substr(pos, 2);
}

std::optional<int> FrameByteValue(std::string_view frame, int b) {
  const std::string_view digits = FrameByte(frame, b);
  if (digits.empty()) return std::nullopt;
  const auto value = text::HexStrict(digits);
  if (!value) return std::nullopt;
  return *value;
}

}  // namespace zelk::store

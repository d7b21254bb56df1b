#include "store/log_store.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "store/field_reader.h"
#include "text/number_text.h"

namespace zelk::store {
namespace {

// A file larger than this cannot fit the tables anyway; only its start is read.
constexpr size_t kMaxFileBytes = 64u << 20;

std::string_view At(const std::vector<std::string_view>& table, long i) {
  return (i >= 1 && i <= static_cast<long>(table.size())) ? table[i - 1] : std::string_view{};
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

// Fills a LogData; a friend so that the tables stay read-only for everyone else.
struct Reader {
  static ReadResult Read(std::string text, bool capped, LogData& into);

 private:
  static ReadResult ReadFrames(FieldReader& r, LogData& log);
  static ReadResult ReadColumns(FieldReader& r, LogData& log, int skipped, int columns);
};

std::string_view LogData::LogLine(long k) const { return At(logLines_, k); }
std::string_view LogData::Frame80(long i) const { return At(frame80_, i); }
std::string_view LogData::Frame7D(long i) const { return At(frame7D_, i); }

std::string_view LogData::Column(long record, long column) const {
  if (format != kTimeLog || record < 1 || record > recordCount() || column < 1 || column > 32)
    return {};
  return records_[record - 1][column];
}

std::string_view LogData::ShortColumn(long record, long column) const {
  if (format != kShortTimeLog || record < 1 || record > recordCount() || column < 1 ||
      column > 11)
    return {};
  return records_[record - 1][column];
}

LogFormat FormatOfFirstField(std::string_view field) {
  if (StartsWith(field, "Time")) return kTimeLog;
  if (StartsWith(field, "#time")) return kShortTimeLog;
  return kFrameLog;
}

std::string ColumnText(std::string_view field) {
  std::string_view s = field;
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  // A plain decimal number: optional minus, digits, at most one point, at
  // least one digit. Other spellings (exponents, a plus sign) stay as written.
  size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
  bool digit = false, point = false;
  for (; i < s.size(); ++i) {
    if (s[i] >= '0' && s[i] <= '9') {
      digit = true;
    } else if (s[i] == '.' && !point) {
      point = true;
    } else {
      return std::string(field);
    }
  }
  if (!digit) return std::string(field);
  return text::Plain(text::LeadingNumber(s));
}

std::string_view FrameByte(std::string_view frame, int b) {
  if (b < 0) return {};
  const size_t pos = static_cast<size_t>(3 * b + 4);
  if (pos + 2 > frame.size()) return {};
  return frame.substr(pos, 2);
}

ReadResult Reader::Read(std::string text, bool capped, LogData& into) {
  auto log = std::make_unique<LogData>();
  log->bytes_ = std::make_unique<std::string>(std::move(text));
  FieldReader r(*log->bytes_);
  const std::string_view first = r.Next();
  log->format = FormatOfFirstField(first);
  ReadResult result = log->format == kFrameLog ? ReadFrames(r, *log)
                      : log->format == kTimeLog ? ReadColumns(r, *log, 33, 32)
                                                 : ReadColumns(r, *log, 11, 11);
  if (result.outcome != ReadOutcome::Loaded) return result;
  if (capped && !result.truncated) {
    result.truncated = true;
    result.truncatedAtLine = r.Line();
  }
  into = std::move(*log);
  return result;
}

ReadResult Reader::ReadFrames(FieldReader& r, LogData& log) {
  ReadResult result;
  // The header: field 2 names the unit and must start with "ECU"; field 3 is
  // discarded. A file that ends before field 3 is no frame log either.
  if (r.AtEnd() || !StartsWith(r.Next(), "ECU") || r.AtEnd()) {
    result.outcome = ReadOutcome::NotAFrameLog;
    return result;
  }
  r.Next();
  while (!r.AtEnd()) {
    const std::string_view field = r.Next();
    const std::string_view code = field.substr(0, 2);
    const bool is80 = code == "80";
    if (!is80 && code != "7D") {
      if (static_cast<long>(log.logLines_.size()) < kMaxLogLines) log.logLines_.push_back(field);
      break;
    }
    auto& frames = is80 ? log.frame80_ : log.frame7D_;
    if (static_cast<long>(frames.size()) >= kMaxFrames ||
        static_cast<long>(log.logLines_.size()) >= kMaxLogLines) {
      result.truncated = true;
      result.truncatedAtLine = r.Line();
      break;
    }
    log.logLines_.push_back(field);
    frames.push_back(field);
  }
  const long k = static_cast<long>(log.frame80_.size() + log.frame7D_.size()) + 1;
  log.sampleCount = text::ToInt16(k / 2.0).value_or(0);
  return result;
}

ReadResult Reader::ReadColumns(FieldReader& r, LogData& log, int skipped, int columns) {
  ReadResult result;
  for (int i = 0; i < skipped && !r.AtEnd(); ++i) r.Next();
  long record = 1;
  int column = 1;
  while (!r.AtEnd()) {
    if (record > kMaxRecords) {
      result.truncated = true;
      result.truncatedAtLine = r.NextLine();
      break;
    }
    const std::string_view field = r.Next();
    if (column == 1) log.records_.emplace_back();
    log.records_.back()[column] = ColumnText(field);
    if (++column > columns) {
      ++record;
      column = 1;
    }
  }
  log.sampleCount = static_cast<int16_t>(record);
  return result;
}

ReadResult ReadLogText(std::string text, LogData& into) {
  return Reader::Read(std::move(text), false, into);
}

ReadResult ReadLogFile(const std::string& path, LogData& into) {
  ReadResult failed;
  failed.outcome = ReadOutcome::CannotRead;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) {
    failed.problem = std::strerror(errno);
    return failed;
  }
  std::string text;
  if (std::fseek(file.get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(file.get());
    if (size > 0) text.reserve(std::min<size_t>(static_cast<size_t>(size), kMaxFileBytes));
    std::rewind(file.get());
  }
  char buffer[1 << 16];
  bool capped = false;
  for (;;) {
    const size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
    text.append(buffer, n);
    if (text.size() >= kMaxFileBytes) {
      capped = true;
      text.resize(kMaxFileBytes);
      break;
    }
    if (n < sizeof buffer) break;
  }
  if (std::ferror(file.get())) {
    failed.problem = std::strerror(errno);
    return failed;
  }
  return Reader::Read(std::move(text), capped, into);
}

}  // namespace zelk::store

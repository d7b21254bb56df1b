#include "store/log_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "store/field_reader.h"
#include "store/row_scan.h"
#include "text/number_text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zelk::store {
namespace {

// A file larger than this cannot fit the tables anyway; only its start is read.
constexpr size_t kMaxFileBytes = 64u << 20;

std::string_view At(const std::vector<std::string_view>& table, long i) {
  return (i >= 1 && i <= static_cast<long>(table.size())) ? table[i - 1] : std::string_view{};
}

// A file descriptor, closed when it goes out of scope.
struct OpenFile {
  explicit OpenFile(int descriptor) : fd(descriptor) {}
  ~OpenFile() {
    if (fd >= 0) ::close(fd);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  const int fd;
};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

// Fills a LogData; a friend so that the tables stay read-only for everyone else.
struct Reader {
  static ReadResult Read(std::unique_ptr<char[]> bytes, size_t size, bool capped, LogData& into);
  static LogData::FieldText StoreField(std::string_view field, const char* text,
                                       const char* textEnd, std::string& stored);

 private:
  static ReadResult ReadFrames(FieldReader& r, LogData& log);
  static ReadResult ReadColumns(FieldReader& r, LogData& log, int skipped, int columns,
                                bool capped);
};

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

std::optional<std::string_view> ColumnTextInPlace(std::string_view field) {
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  const auto view = [](const char* from, const char* to) {
    return std::string_view(from, static_cast<size_t>(to - from));
  };
  const char* const begin = field.data();
  const char* end = begin + field.size();
  while (end != begin && (end[-1] == ' ' || end[-1] == '\t')) --end;

  // [-] whole digits [. fraction digits], the shape ColumnText calls a plain
  // decimal number; anything else is stored as written.
  const char* p = begin;
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  const char* const wholeStart = p;
  while (p != end && isDigit(*p)) ++p;
  const char* const wholeEnd = p;
  const char* fracStart = p;
  if (p != end && *p == '.') {
    fracStart = ++p;
    while (p != end && isDigit(*p)) ++p;
  }
  const char* const fracEnd = p;
  if (p != end || (wholeStart == wholeEnd && fracStart == fracEnd)) return field;

  // The plain form drops the whole part's leading zeros and the fraction's
  // trailing ones (and the point with them), and a minus sign before zero.
  const char* sig = wholeStart;
  while (sig != wholeEnd && *sig == '0') ++sig;
  const char* last = fracEnd;
  while (last != fracStart && last[-1] == '0') --last;
  const long wholeDigits = wholeEnd - sig;
  const long fracDigits = last - fracStart;
  // Zero: one of the field's own zeros.
  if (wholeDigits == 0 && fracDigits == 0) {
    return wholeStart != wholeEnd ? view(wholeStart, wholeStart + 1)
                                  : view(fracStart, fracStart + 1);
  }
  // A minus sign stays only where it already stands next to the digits kept.
  if (fracDigits == 0) {
    // Whole numbers of up to 15 digits are written as they are.
    if (wholeDigits > 15) return std::nullopt;
    if (!negative) return view(sig, wholeEnd);
    return sig == wholeStart ? std::optional(view(begin, wholeEnd)) : std::nullopt;
  }
  if (wholeDigits > 0) {
    if (wholeDigits + fracDigits > 15) return std::nullopt;
    if (!negative) return view(sig, last);
    return sig == wholeStart ? std::optional(view(begin, last)) : std::nullopt;
  }
  // Below 1: "0." and the fraction, which has at most four zeros before its
  // first significant digit (smaller values take an exponent) and at most 15
  // significant digits.
  const char* firstSig = fracStart;
  while (*firstSig == '0') ++firstSig;
  if (firstSig - fracStart > 4 || last - firstSig > 15) return std::nullopt;
  if (wholeStart == wholeEnd) return std::nullopt;  // ".5": no 0 before the point to show
  if (!negative) return view(wholeEnd - 1, last);
  return wholeEnd - wholeStart == 1 ? std::optional(view(begin, last)) : std::nullopt;
}

namespace {

// ColumnTextInPlace for the fields that make up almost every column log, told
// from masks of one 16-byte load with few branches: a field of up to 15
// bytes that is no number (a clock time, a word) or a number already in its
// plain form ("1849", "-1.5", "0.39"). The rest, and any field whose load
// would pass `textEnd`, takes ColumnTextInPlace.
std::optional<std::string_view> ColumnTextQuick(std::string_view field, const char* textEnd) {
#if defined(__SSE2__)
  const size_t n = field.size();
  if (n == 0 || n > 15 || textEnd - field.data() < 16) return ColumnTextInPlace(field);
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(field.data()));
  const auto mask = [&block](char c) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(c))));
  };
  const __m128i offset = _mm_sub_epi8(block, _mm_set1_epi8('0'));
  const auto digits = static_cast<unsigned>(
      _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(9)), offset)));
  const unsigned in = (1u << n) - 1;
  const unsigned d = digits & in, p = mask('.') & in, m = mask('-') & in, z = mask('0') & in;
  const unsigned other = in & ~(d | p | m);
  // A character no number has, other than a blank (which may trail one):
  // stored as written.
  if ((other & ~(mask(' ') | mask('\t'))) != 0) return field;
  if (other != 0 || d == 0 || (m & ~1u) != 0 || (p & (p - 1)) != 0) return ColumnTextInPlace(field);
  const unsigned first = m & 1u;  // where the digits start
  const unsigned last = 1u << (n - 1);
  bool plain;
  if (p == 0) {
    // A whole number: no leading zero, and no minus before a zero.
    plain = !(z >> first & 1u) || (n == 1);
  } else {
    // A point, a last digit that is no zero, and before the point a first
    // digit that is no zero or a lone zero; then at most four zeros after the
    // point ahead of the first significant digit.
    const bool leadingZero = z >> first & 1u;
    plain = (d & last) && !(z & last) && (d >> first & 1u) &&
            (!leadingZero || ((p >> (first + 1)) & 1u));
    if (plain && leadingZero) {
      const unsigned significant = d & ~z;
      plain = std::countr_zero(significant) - static_cast<int>(first + 2) <= 4;
    }
  }
  if (plain) return field;
#else
  (void)textEnd;
#endif
  return ColumnTextInPlace(field);
}

}  // namespace

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

// The stored text of one column field: in place where it can be, else in
// `stored`. Offsets fit 31 bits: the text is at most kMaxFileBytes long, and a
// stored text is at most one byte longer than its field or 24 bytes.
LogData::FieldText Reader::StoreField(std::string_view field, const char* text, const char* textEnd,
                                      std::string& stored) {
  if (const std::optional<std::string_view> inPlace = ColumnTextQuick(field, textEnd)) {
    return {static_cast<uint32_t>(inPlace->data() - text), static_cast<uint32_t>(inPlace->size())};
  }
  const std::string own = ColumnText(field);
  const LogData::FieldText f{static_cast<uint32_t>(stored.size()),
                             static_cast<uint32_t>(own.size()) | LogData::kInStored};
  stored += own;
  return f;
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

ReadResult Reader::Read(std::unique_ptr<char[]> bytes, size_t size, bool capped, LogData& into) {
  auto log = std::make_unique<LogData>();
  log->bytes_ = std::move(bytes);
  log->size_ = size;
  FieldReader r(log->Text());
  const std::string_view first = r.Next();
  log->format = FormatOfFirstField(first);
  ReadResult result = log->format == kFrameLog  ? ReadFrames(r, *log)
                      : log->format == kTimeLog ? ReadColumns(r, *log, 33, 32, capped)
                                                : ReadColumns(r, *log, 11, 11, capped);
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
  // Room for as many frames as lines of the first frame's length would fill,
  // so that the tables are not copied as they grow.
  const size_t start = r.Position();
  FieldReader probe(log.Text().substr(start));
  const size_t lineLength = probe.Next().size() + 2;
  const size_t estimate = (log.size_ - start) / lineLength;
  const size_t lines = std::min<size_t>(kMaxLogLines, estimate + estimate / 8 + 16);
  log.logLines_.reserve(lines);
  log.frame80_.reserve(std::min<size_t>(kMaxFrames, lines / 2 + 8));
  log.frame7D_.reserve(std::min<size_t>(kMaxFrames, lines / 2 + 8));
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

ReadResult Reader::ReadColumns(FieldReader& r, LogData& log, int skipped, int columns,
                               bool capped) {
  ReadResult result;
  log.columns_ = columns;
  // The header is skipped with the first field of the first data row. When
  // the header ends its line and every row that follows holds a time field
  // and the values of one record, the rows are enough: a record's columns
  // are found as they are read.
  for (int i = 1; i < skipped && !r.AtEnd(); ++i) r.Next();
  const std::string_view all = log.Text();
  const size_t rows = r.Position();
  const bool headerEndsItsLine = rows > 0 && (all[rows - 1] == '\n' || all[rows - 1] == '\r');
  if (!r.AtEnd()) r.Next();
  if (!capped && headerEndsItsLine && !r.AtEnd()) {
    if (auto lines = RecordLines(all, rows, columns)) {
      log.recordLines_ = std::move(*lines);
      log.lazyColumns_.resize(static_cast<size_t>(columns));
      log.sampleCount = static_cast<int16_t>(log.recordLines_.size());
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
    if (++column > columns) {
      ++record;
      column = 1;
    }
  }
  log.sampleCount = static_cast<int16_t>(record);
  return result;
}

ReadResult ReadLogText(std::string text, LogData& into) {
  auto bytes = std::make_unique_for_overwrite<char[]>(text.size());
  std::memcpy(bytes.get(), text.data(), text.size());
  return Reader::Read(std::move(bytes), text.size(), false, into);
}

namespace {

// Reads into `buffer` until `filled` reaches `size` or the file ends; false
// on a read error, with errno telling which.
bool ReadUpTo(int fd, char* buffer, size_t size, size_t& filled) {
  while (filled < size) {
    const ssize_t got = ::read(fd, buffer + filled, size - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  return true;
}

// How much of a file is read before the rest: enough for any header.
constexpr size_t kStartBytes = 64u << 10;

// True when the start of a file (the whole file when `whole`) already shows
// a frame log whose unit field does not begin with "ECU".
bool RefusedByItsStart(std::string_view start, bool whole) {
  FieldReader r(start);
  if (FormatOfFirstField(r.Next()) != kFrameLog) return false;
  if (r.AtEnd()) return whole;
  const std::string_view unit = r.Next();
  if (r.AtEnd() && !whole) return false;  // the field may go on past the start
  return !StartsWith(unit, "ECU");
}

}  // namespace

ReadResult ReadLogFile(const std::string& path, LogData& into) {
  ReadResult failed;
  failed.outcome = ReadOutcome::CannotRead;
  const auto fail = [&failed](int error) {
    failed.problem = std::strerror(error);
    return failed;
  };
  // Opened without waiting, so that a pipe with no writer cannot hold the
  // program up; only a regular file is read. A folder, a pipe or a device
  // has no end to read to, or none at all.
  const OpenFile file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  const int fd = file.fd;
  if (fd < 0) return fail(errno);
  struct stat status {};
  if (::fstat(fd, &status) != 0) return fail(errno);
  if (S_ISDIR(status.st_mode)) return fail(EISDIR);
  if (!S_ISREG(status.st_mode)) {
    failed.problem = "Not a regular file";
    return failed;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);

  // Straight into the text, at the size measured and without clearing it
  // first; should the file have grown since, on in doubling steps. Nothing
  // past kMaxFileBytes is read: the tables are full long before.
  const size_t expected =
      status.st_size > 0 ? std::min<size_t>(static_cast<size_t>(status.st_size), kMaxFileBytes) : 0;
  size_t room = expected > 0 ? expected : size_t{1} << 16;
  auto bytes = std::make_unique_for_overwrite<char[]>(room);
  size_t filled = 0;
  // A frame log whose header is wrong is refused from its start alone.
  const size_t start = std::min(room, kStartBytes);
  if (!ReadUpTo(fd, bytes.get(), start, filled)) return fail(errno);
  if (RefusedByItsStart({bytes.get(), filled}, filled < start)) {
    ReadResult refused;
    refused.outcome = ReadOutcome::NotAFrameLog;
    return refused;
  }
  bool capped = false;
  for (;;) {
    if (!ReadUpTo(fd, bytes.get(), room, filled)) return fail(errno);
    if (filled < room) break;  // the end of the file
    if (filled >= kMaxFileBytes) {
      capped = true;
      break;
    }
    char more = 0;
    size_t got = 0;
    if (!ReadUpTo(fd, &more, 1, got)) return fail(errno);
    if (got == 0) break;
    room = std::min(2 * room, kMaxFileBytes);
    auto larger = std::make_unique_for_overwrite<char[]>(room);
    std::memcpy(larger.get(), bytes.get(), filled);
    bytes = std::move(larger);
    bytes[filled++] = more;
  }
  return Reader::Read(std::move(bytes), filled, capped, into);
}

}  // namespace zelk::store

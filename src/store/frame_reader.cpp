// The frame log: a header whose second field names the unit, then one line a
// frame, each a 0x80 or a 0x7D frame told by its first two characters.
#include <algorithm>

#include "store/log_reader.h"

namespace zelk::store {
namespace {

// What the header's unit field must start with.
constexpr std::string_view kUnitPrefix = "ECU";

}  // namespace

ReadResult Reader::ReadFrames(FieldReader& r, LogData& log) {
  ReadResult result;
  // The header: field 2 names the unit and must start with "ECU"; field 3 is
  // discarded. A file that ends before field 3 is no frame log either.
  if (r.AtEnd() || !r.Next().starts_with(kUnitPrefix) || r.AtEnd()) {
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
  // A sample is a 0x80 frame with its 0x7D frame: every pair counts, the
  // last one too, and a frame left without its partner at the end makes no
  // sample. At most 10000 frames of each code fit, so the count fits too.
  const long frames = static_cast<long>(log.frame80_.size() + log.frame7D_.size());
  log.sampleCount = static_cast<int16_t>(frames / 2 + 1);
  return result;
}

bool RefusedByItsStart(std::string_view start, bool whole) {
  FieldReader r(start);
  if (FormatOfFirstField(r.Next()) != kFrameLog) return false;
  if (r.AtEnd()) return whole;
  const std::string_view unit = r.Next();
  if (r.AtEnd() && !whole) return false;  // the field may go on past the start
  return !unit.starts_with(kUnitPrefix);
}

}  // namespace zelk::store

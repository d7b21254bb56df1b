// The loaded log and the readers that fill it. A read builds a whole new log;
// the caller swaps it in only when the file is accepted, so a rejected or
// unreadable file leaves the loaded log untouched and nothing of an earlier
// log survives a successful load.
#pragma once

#include <string>

#include "store/column_text.h"  // ColumnText, ColumnTextInPlace: a column field's stored text
#include "store/log_data.h"     // LogData, FrameByte, FrameByteValue: the log itself
#include "store/log_kinds.h"    // LogFormat, KindOf, FormatOfFirstField: each kind of log

namespace zelk::store {

enum class ReadOutcome { Loaded, NotAFrameLog, CannotRead };

struct ReadResult {
  ReadOutcome outcome = ReadOutcome::Loaded;
  std::string problem;  // why the file could not be read
  // Set when the file held more than the tables take: where reading stopped.
  bool truncated = false;
  long truncatedAtLine = 0;
};

// Decides the kind of log from its first field and reads it.
ReadResult ReadLogText(std::string text, LogData& into);
ReadResult ReadLogFile(const std::string& path, LogData& into);

}  // namespace zelk::store

// What fills a LogData, for the store's own files: the reader of each kind of
// log, a friend of LogData so that its tables stay read-only for everyone
// else.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "store/field_reader.h"
#include "store/log_store.h"

namespace zelk::store {

// A file larger than this cannot fit the tables anyway; only its start is read.
inline constexpr size_t kMaxFileBytes = 64u << 20;

struct Reader {
  // A whole new log from a file's text, swapped into `into` when accepted.
  // `capped`: the file went on past kMaxFileBytes. (log_file.cpp)
  static ReadResult Read(std::unique_ptr<char[]> bytes, size_t size, bool capped, LogData& into);
  // The stored text of one column field, from the file's text `text` up to
  // `textEnd`. (column_text.cpp)
  static LogData::FieldText StoreField(std::string_view field, const char* text,
                                       const char* textEnd, std::string& stored);

 private:
  // After the first field: the frame log's header and frames
  // (frame_reader.cpp), a column log's header and records (column_reader.cpp).
  static ReadResult ReadFrames(FieldReader& r, LogData& log);
  static ReadResult ReadColumns(FieldReader& r, LogData& log, const LogKind& kind, bool capped);
};

// True when the start of a file (the whole file when `whole`) already shows
// a frame log whose unit field does not begin with "ECU". (frame_reader.cpp)
bool RefusedByItsStart(std::string_view start, bool whole);

}  // namespace zelk::store

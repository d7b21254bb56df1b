// Splits a log's text into fields: commas and line ends (CR LF, LF or CR)
// separate them, leading blanks are skipped, a field that starts with a double
// quote runs to the closing quote (the quotes are not part of it, the rest of
// it up to the next separator is dropped), and an empty line is one empty
// field. Fields are views into the text, which must outlive the reader.
#pragma once

#include <string_view>

namespace zelk::store {

class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : text_(text) {}
  bool AtEnd() const { return pos_ >= text_.size(); }
  // The next field; an empty view once the text is used up.
  std::string_view Next();
  // 1-based line of the field that Next() returned last.
  long Line() const { return line_; }
  // 1-based line of the field that Next() will return.
  long NextLine() const { return nextLine_; }
  // Where the next field starts, in bytes from the text's start.
  size_t Position() const { return pos_; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
  long line_ = 0;
  long nextLine_ = 1;
};

}  // namespace zelk::store

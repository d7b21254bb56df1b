#include "store/field_reader.h"

namespace zelk::store {
namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string_view FieldReader::Next() {
  if (AtEnd()) return {};
  line_ = nextLine_;
  const size_t size = text_.size();
  while (pos_ < size && IsBlank(text_[pos_])) ++pos_;

  std::string_view field;
  if (pos_ < size && text_[pos_] == '"') {
    // A quoted field runs to its closing quote; a quote left open ends with
    // the line. Whatever follows the closing quote up to the separator is
    // not part of the field.
    const size_t start = ++pos_;
    while (pos_ < size && text_[pos_] != '"' && !IsLineEnd(text_[pos_])) ++pos_;
    field = text_.substr(start, pos_ - start);
    while (pos_ < size && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
  } else {
    const size_t start = pos_;
    while (pos_ < size && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
    field = text_.substr(start, pos_ - start);
  }

  // Consume the separator: a comma, or one line end of any convention.
  if (pos_ < size) {
    if (text_[pos_] == ',') {
      ++pos_;
    } else {
      if (text_[pos_] == '\r' && pos_ + 1 < size && text_[pos_ + 1] == '\n') ++pos_;
      ++pos_;
      ++nextLine_;
    }
  }
  return field;
}

}  // namespace zelk::store

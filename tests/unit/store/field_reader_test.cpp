// The field reader: fields split on commas and on every line-end convention.
#include "store/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelk::store {
namespace {

TEST(FieldReader, SplitsOnCommasAndEveryLineEndConvention) {
  const struct {
    std::string text;
    std::vector<std::string> fields;
    std::vector<long> lines;  // the line of each field
  } cases[] = {
      {"a,b\r\nc\nd", {"a", "b", "c", "d"}, {1, 1, 2, 3}},
      {"a,b\rc\r", {"a", "b", "c"}, {1, 1, 2}},
      {"a,b\nc\n", {"a", "b", "c"}, {1, 1, 2}},
      {"a\r\n\r\nb", {"a", "", "b"}, {1, 2, 3}},   // an empty line is one empty field
      {"  lead,\ttab", {"lead", "tab"}, {1, 1}},   // leading blanks skipped
      {"x ,y", {"x ", "y"}, {1, 1}},               // trailing blanks kept
      {"\"q,1\",2", {"q,1", "2"}, {1, 1}},         // quotes hold commas
      {"\"q\"rest,2", {"q", "2"}, {1, 1}},         // text after the closing quote dropped
      {"\"open\nnext", {"open", "next"}, {1, 2}},  // an open quote ends with its line
      {"a,\r\nb", {"a", "", "b"}, {1, 1, 2}},      // a comma before the line end
  };
  for (const auto& c : cases) {
    FieldReader r(c.text);
    std::vector<std::string> fields;
    std::vector<long> lines;
    while (!r.AtEnd()) {
      fields.emplace_back(r.Next());
      lines.push_back(r.Line());
    }
    EXPECT_EQ(fields, c.fields) << c.text;
    EXPECT_EQ(lines, c.lines) << c.text;
  }
}

}  // namespace
}  // namespace zelk::store

// A column field's stored text, taken from the field itself wherever it can
// be and the same as the general conversion gives.
#include "store/column_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/field_reader.h"
#include "store/log_store.h"

namespace zelk::store {
namespace {

// Each row says whether the text can be taken in place. The reader's own
// quick look at a field gives ColumnText's text too: for every row, and for
// every text of up to six characters of numbers, exponents, blanks and a letter, read
// as the values of "#time" logs.
TEST(ColumnText, InPlaceAndTheReaderAgreeWithTheGeneralConversion) {
  const std::string digits40(40, '7'), zeros40(40, '0');
  const struct {
    std::string field;
    bool inPlace;
    std::string stored;
  } cases[] = {
      // clang-format off
      {"1849", true, "1849"}, {"12.5", true, "12.5"}, {"0.39", true, "0.39"},
      {"-1.543210", true, "-1.54321"}, {"12.50", true, "12.5"}, {"30.0", true, "30"},
      {"5.", true, "5"}, {"0", true, "0"}, {"00", true, "0"}, {"-0.000", true, "0"},
      {".0", true, "0"}, {"007", true, "7"}, {"-0.5", true, "-0.5"}, {"1.5\t ", true, "1.5"},
      {"0.00001", true, "0.00001"}, {"0.000001", true, "0.000001"}, {"-0.0000025", true, "-0.0000025"},
      {"123456789012345", true, "123456789012345"},  // 15 digits
      {"1234567890.12345", true, "1234567890.12345"},
      {"0.123456789012345", true, "0.123456789012345"},
      {"1" + zeros40, false, "1" + zeros40}, {zeros40 + "42", true, "42"}, {"42." + zeros40, true, "42"},
      {"abc ", true, "abc "},    // no number: kept with its blank
      {"12abc", true, "12abc"},  // merely starts with digits
      {"08:12:00.000", true, "08:12:00.000"}, {"1.2.3", true, "1.2.3"}, {"-", true, "-"}, {"", true, ""},
      {".", true, "."}, {"1 2", true, "1 2"},
      // Characters the field lacks, or the general conversion: never an exponent.
      {".5", false, "0.5"}, {"-007", false, "-7"}, {"+5", false, "5"}, {"1e3", false, "1000"},
      {"1.5E+16", false, "15000000000000000"}, {"1E-06", false, "0.000001"},
      {"1234567890123456", false, "1234567890123460"},  // 16 digits
      {"9999999999999999", false, "10000000000000000"},
      {"1234567890.123456", false, "1234567890.12346"},  // 16 significant digits
      {"0.1234567890123456", false, "0.123456789012346"},
      {digits40, false, "777777777777778" + std::string(25, '0')},
      {"0." + digits40, false, "0.777777777777778"},
      // clang-format on
  };
  std::vector<std::string> texts = {""};
  for (size_t i = 0; texts[i].size() < 6; ++i) {
    for (char c : std::string("-19.e+ ")) texts.push_back(texts[i] + c);
  }
  for (const auto& c : cases) {
    const auto inPlace = c.inPlace ? std::optional<std::string_view>(c.stored) : std::nullopt;
    EXPECT_EQ(ColumnText(c.field), c.stored) << c.field;
    EXPECT_EQ(ColumnTextInPlace(c.field), inPlace) << c.field;
    texts.push_back(c.field);
  }
  constexpr size_t kPerLog = 10000 * 11;
  for (size_t first = 0; first < texts.size(); first += kPerLog) {
    std::string text = "#time,a,b,c,d,e,f,g,h,i,j,k\r\n";  // 12 fields
    const size_t last = std::min(texts.size(), first + kPerLog);
    for (size_t i = first; i < last; ++i)
      text += texts[i] + ((i - first) % 11 == 10 ? "\r\n" : ",");
    LogData log;
    ASSERT_EQ(ReadLogText(text, log).outcome, ReadOutcome::Loaded);
    FieldReader r(text);
    for (int i = 0; i < 12; ++i) r.Next();
    for (size_t k = 0; k < last - first; ++k) {
      const std::string_view field = r.Next();
      ASSERT_EQ(log.ShortColumn(static_cast<long>(k / 11) + 1, static_cast<long>(k % 11) + 1),
                ColumnText(field))
          << '"' << field << '"';
    }
  }
}

}  // namespace
}  // namespace zelk::store

// The field reader and the three log readers.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "log_text.h"
#include "store/field_reader.h"
#include "store/log_store.h"

namespace zelk::store {
namespace {

std::vector<std::string> Fields(const std::string& text) {
  FieldReader r(text);
  std::vector<std::string> out;
  while (!r.AtEnd()) out.emplace_back(r.Next());
  return out;
}

TEST(FieldReader, SplitsOnCommasAndEveryLineEndConvention) {
  const struct {
    std::string text;
    std::vector<std::string> fields;
  } cases[] = {
      {"a,b\r\nc", {"a", "b", "c"}},
      {"a,b\nc\n", {"a", "b", "c"}},
      {"a,b\rc\r", {"a", "b", "c"}},
      {"a\r\n\r\nb", {"a", "", "b"}},      // an empty line is one empty field
      {"  lead,\ttab", {"lead", "tab"}},   // leading blanks skipped
      {"x ,y", {"x ", "y"}},               // trailing blanks kept
      {"\"q,1\",2", {"q,1", "2"}},         // quotes hold commas
      {"\"q\"rest,2", {"q", "2"}},         // text after the closing quote dropped
      {"\"open\nnext", {"open", "next"}},  // an open quote ends with its line
      {"a,\r\nb", {"a", "", "b"}},         // a comma before the line end
  };
  for (const auto& c : cases) EXPECT_EQ(Fields(c.text), c.fields) << c.text;
}

TEST(FieldReader, ReportsTheLineOfEachField) {
  FieldReader r("a,b\r\nc\nd");
  std::vector<long> lines;
  while (!r.AtEnd()) {
    r.Next();
    lines.push_back(r.Line());
  }
  EXPECT_EQ(lines, (std::vector<long>{1, 1, 2, 3}));
}

using testlogs::Frame7DWith;
using testlogs::Frame80With;

std::string FrameLog(int frames80, int frames7D) {
  std::string text = "Zelk\r\nECU x\r\nhdr\r\n";
  for (int i = 0; i < std::max(frames80, frames7D); ++i) {
    if (i < frames80) text += Frame80With({}) + "\r\n";
    if (i < frames7D) text += Frame7DWith({}) + "\r\n";
  }
  return text;
}

TEST(ReadLog, FrameLogSampleCountRoundsHalfToEven) {
  const struct {
    int frames80, frames7D;
    int sampleCount;
  } cases[] = {{4, 4, 4}, {3, 3, 4}, {1, 1, 2}, {10, 2, 6}, {0, 0, 0}};
  for (const auto& c : cases) {
    LogData log;
    ASSERT_EQ(ReadLogText(FrameLog(c.frames80, c.frames7D), log).outcome, ReadOutcome::Loaded);
    EXPECT_EQ(log.sampleCount, c.sampleCount) << c.frames80 << "+" << c.frames7D;
    EXPECT_EQ(log.frame80Count(), c.frames80);
    EXPECT_EQ(log.format, kFrameLog);
  }
}

TEST(ReadLog, FrameStreamEndsAtTheFirstFieldThatIsNoFrame) {
  for (const std::string stop : {"END", "7d  00", "", "8"}) {
    LogData log;
    const std::string text = "Z\nECU\nh\n" + Frame80With({}) + "\n" + Frame7DWith({}) + "\n" +
                             Frame80With({}) + "\n" + stop + "\n" + Frame7DWith({}) + "\n";
    ASSERT_EQ(ReadLogText(text, log).outcome, ReadOutcome::Loaded);
    EXPECT_EQ(log.frame80Count(), 2) << stop;
    EXPECT_EQ(log.frame7DCount(), 1) << stop;
    EXPECT_EQ(log.sampleCount, 2) << stop;
    EXPECT_EQ(log.LogLine(4), stop);
    EXPECT_EQ(log.Frame7D(2), "");
  }
}

TEST(ReadLog, RejectsFilesThatAreNoFrameLog) {
  for (const std::string text : {"Zelk\r\necu lower\r\nh\r\n", "ECU first\r\nnot\r\nh\r\n",
                                 "#Time\r\nx\r\n", "", "Zelk", "Zelk\r\nECU only"}) {
    LogData log;
    EXPECT_EQ(ReadLogText(text, log).outcome, ReadOutcome::NotAFrameLog) << text;
  }
}

TEST(ReadLog, FirstFieldDecidesTheKind) {
  EXPECT_EQ(FormatOfFirstField("Timestamp"), kTimeLog);
  EXPECT_EQ(FormatOfFirstField("#time"), kShortTimeLog);
  EXPECT_EQ(FormatOfFirstField("#Time"), kFrameLog);
  EXPECT_EQ(FormatOfFirstField("time"), kFrameLog);
}

TEST(ReadLog, ColumnLogCountsCompleteRecordsOnly) {
  const std::string header = "#time,c1,c2,c3,c4,c5,c6,c7,c8,c9,c10\r\n";
  const std::string row = "1.0,10,20,30,40,50,60,70,80,90,100\r\n";
  const struct {
    std::string text;
    LogFormat format;
    int sampleCount;
  } cases[] = {{header + row + row + row, kShortTimeLog, 3},
               {header + row, kShortTimeLog, 1},
               {header, kShortTimeLog, 1},
               {"Time,a,b\r\n", kTimeLog, 1}};  // ends in its header
  for (const auto& c : cases) {
    LogData log;
    ASSERT_EQ(ReadLogText(c.text, log).outcome, ReadOutcome::Loaded);
    EXPECT_EQ(log.format, c.format) << c.text;
    EXPECT_EQ(log.sampleCount, c.sampleCount) << c.text;
  }
  // 33 fields after the 12 leading ones (the header and the first time):
  // three whole records.
  std::string text = header;
  for (int i = 0; i <= 33; ++i) text += std::to_string(i) + "\r\n";
  LogData log;
  ReadLogText(text, log);
  EXPECT_EQ(log.sampleCount, 4);
  EXPECT_EQ(log.ShortColumn(1, 1), "1");
  EXPECT_EQ(log.ShortColumn(3, 11), "33");
  EXPECT_EQ(log.Column(1, 1), "");  // not a "Time" log
}

// The reader takes a field's stored text from the field itself wherever it
// can; each row says whether it can, and the text must be ColumnText's.
TEST(ReadLog, InPlaceColumnTextAgreesWithTheGeneralConversion) {
  const std::string digits40(40, '7'), zeros40(40, '0');
  const struct {
    std::string field;
    bool inPlace;  // decided from the text alone
    std::string stored;
  } cases[] = {
      {"1849", true, "1849"},
      {"12.5", true, "12.5"},
      {"0.39", true, "0.39"},
      {"-1.543210", true, "-1.54321"},
      {"12.50", true, "12.5"},
      {"30.0", true, "30"},
      {"5.", true, "5"},
      {"0", true, "0"},
      {"00", true, "0"},
      {"-0.000", true, "0"},
      {".0", true, "0"},
      {"007", true, "7"},
      {"-0.5", true, "-0.5"},
      {"1.5\t ", true, "1.5"},
      {"0.00001", true, "0.00001"},                  // four zeros after the point: still plain
      {"123456789012345", true, "123456789012345"},  // 15 digits
      {"1234567890.12345", true, "1234567890.12345"},
      {"0.123456789012345", true, "0.123456789012345"},
      {"1" + zeros40, false, "1E+40"},
      {zeros40 + "42", true, "42"},
      {"42." + zeros40, true, "42"},
      {"abc ", true, "abc "},    // no number: kept with its blank
      {"12abc", true, "12abc"},  // merely starts with digits
      {"08:12:00.000", true, "08:12:00.000"},
      {"1e3", true, "1e3"},
      {"1.5E+16", true, "1.5E+16"},
      {"+5", true, "+5"},
      {"1.2.3", true, "1.2.3"},
      {"-", true, "-"},
      {"", true, ""},
      {".", true, "."},
      {"1 2", true, "1 2"},
      // Characters the field lacks, or the general conversion.
      {".5", false, "0.5"},
      {"-007", false, "-7"},
      {"1234567890123456", false, "1.23456789012346E+15"},  // 16 digits
      {"9999999999999999", false, "1E+16"},
      {"1234567890.123456", false, "1234567890.12346"},  // 16 significant digits
      {"0.1234567890123456", false, "0.123456789012346"},
      {"0.000001", false, "1E-06"},
      {"-0.0000025", false, "-2.5E-06"},
      {digits40, false, "7.77777777777778E+39"},
      {"0." + digits40, false, "0.777777777777778"},
  };
  std::string log = "#time,a,b,c,d,e,f,g,h,i,j,k";
  for (const auto& c : cases) {
    const std::optional<std::string_view> inPlace = ColumnTextInPlace(c.field);
    EXPECT_EQ(ColumnText(c.field), c.stored) << c.field;
    EXPECT_EQ(inPlace.has_value(), c.inPlace) << c.field;
    if (inPlace) {
      EXPECT_EQ(*inPlace, c.stored) << c.field;
    }
    log += "\r\n" + c.field;
  }
  // The reader stores the same texts, one value a line.
  LogData read;
  ASSERT_EQ(ReadLogText(log + "\r\n" + std::string(11, ','), read).outcome, ReadOutcome::Loaded);
  long k = 0;
  for (const auto& c : cases) {
    EXPECT_EQ(read.ShortColumn(k / 11 + 1, k % 11 + 1), c.stored) << c.field;
    ++k;
  }
}

// The reader's own quick look at a field gives ColumnText's text too: every
// text of up to six characters of numbers, blanks and a letter, read as the
// values of "#time" logs.
TEST(ReadLog, ReaderStoresColumnTextForEveryShortText) {
  const std::string alphabet = "-019.x ";
  std::vector<std::string> texts = {""};
  for (size_t begin = 0, length = 1; length <= 6; ++length) {
    const size_t end = texts.size();
    for (size_t i = begin; i < end; ++i) {
      for (char c : alphabet) texts.push_back(texts[i] + c);
    }
    begin = end;
  }
  const std::string header = "#time,a,b,c,d,e,f,g,h,i,j,k\r\n";  // 12 fields
  constexpr size_t kPerLog = 10000 * 11;
  for (size_t first = 0; first < texts.size(); first += kPerLog) {
    std::string text = header;
    const size_t last = std::min(texts.size(), first + kPerLog);
    for (size_t i = first; i < last; ++i)
      text += texts[i] + ((i - first) % 11 == 10 ? "\r\n" : ",");
    LogData log;
    ASSERT_EQ(ReadLogText(text, log).outcome, ReadOutcome::Loaded);
    FieldReader r(text);
    for (int i = 0; i < 12; ++i) r.Next();
    for (size_t k = 0; k < last - first; ++k) {
      const std::string_view field = r.Next();
      const long record = static_cast<long>(k / 11) + 1, column = static_cast<long>(k % 11) + 1;
      ASSERT_EQ(log.ShortColumn(record, column), ColumnText(field)) << '"' << field << '"';
    }
  }
}

TEST(ReadLog, ColumnRecordsKeepTheirStoredTexts) {
  std::string header = "Time";
  for (int c = 1; c <= 33; ++c) header += ",c";  // the first field and 33 names
  LogData log;
  ASSERT_EQ(ReadLogText(header + "\r\n.5,-0.0,12.50,x y \r\n-007,\"q,1\",3", log).outcome,
            ReadOutcome::Loaded);
  const std::vector<std::string> expected = {"0.5", "0", "12.5", "x y ", "-7", "q,1", "3"};
  for (long c = 1; c <= 7; ++c) EXPECT_EQ(log.Column(1, c), expected[c - 1]) << c;
  EXPECT_EQ(log.Column(1, 8), "");  // the record ends with the file
  EXPECT_EQ(log.recordCount(), 1);
  EXPECT_EQ(log.Column(2, 1), "");
  EXPECT_EQ(log.Column(1, 33), "");
}

// Logs with one whole record a line are read by their lines, and a column's
// fields found when it is first read; every field must come out as the
// field-by-field reading gives it, which a quoted field anywhere forces.
TEST(ReadLog, RecordsReadByTheirLinesMatchTheFieldByFieldReading) {
  const std::vector<std::string> samples = {
      "",    " 12.50", "-007", ".5",  "x y ", "0",       "-0.0",         "1234567890123456",
      "1e5", "+3",     "\t4",  "-.5", "9.",   "0.00001", "12:00:01.000", "2.40 "};
  const std::string ends[] = {"\r\n", "\n", "\r"};
  uint32_t seed = 12345;
  const auto next = [&seed](uint32_t n) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % n;
  };
  for (const auto& [header, columns, column] :
       {std::tuple<std::string, int, bool>{"Time" + std::string(32, ','), 32, true},
        {"#time,a,b,c,d,e,f,g,h,i,j", 11, false}}) {
    for (int trial = 0; trial < 6; ++trial) {
      const std::string& eol = ends[trial % 3];
      std::string body;
      const int records = 1 + static_cast<int>(next(300));
      for (int r = 0; r < records; ++r) {
        for (int c = 0; c < columns; ++c) {
          body += samples[next(static_cast<uint32_t>(samples.size()))];
          body += c + 1 < columns ? "," : "";
        }
        if (r + 1 < records || trial % 2 == 0) body += eol;
      }
      LogData byLines, byFields;
      ASSERT_EQ(ReadLogText(header + eol + body, byLines).outcome, ReadOutcome::Loaded);
      ASSERT_EQ(ReadLogText(header + eol + "\"q\"" + body, byFields).outcome, ReadOutcome::Loaded);
      ASSERT_EQ(byLines.sampleCount, byFields.sampleCount);
      ASSERT_EQ(byLines.sampleCount, records);
      ASSERT_EQ(byLines.recordCount(), byFields.recordCount());
      for (long r = 0; r <= records + 1; ++r) {
        for (long c = 0; c <= columns + 1; ++c) {
          const std::string_view a = column ? byLines.Column(r, c) : byLines.ShortColumn(r, c);
          const std::string_view b = column ? byFields.Column(r, c) : byFields.ShortColumn(r, c);
          ASSERT_EQ(a, b) << trial << " record " << r << " column " << c;
        }
      }
    }
  }
}

TEST(ReadLog, FrameByteNeedsBothCharacters) {
  const std::string frame = "7D  20 01 02";
  EXPECT_EQ(FrameByte(frame, 0), "20");
  EXPECT_EQ(FrameByte(frame, 2), "02");
  EXPECT_EQ(FrameByte(frame, 3), "");
  EXPECT_EQ(FrameByte("7D  20 0", 1), "");
  EXPECT_EQ(FrameByte(frame, -1), "");
}

TEST(ReadLog, ColumnLogStopsAfterTenThousandRecords) {
  std::string text = "#time,a,b,c,d,e,f,g,h,i,j\r\n";
  for (int r = 0; r < 10003; ++r) text += "0,1,2,3,4,5,6,7,8,9,10\r\n";
  LogData log;
  const ReadResult result = ReadLogText(text, log);
  EXPECT_TRUE(result.truncated);
  // Record 10000 ends with the time field of row 10001, on line 10002; the
  // first value left out follows it on the same line.
  EXPECT_EQ(result.truncatedAtLine, 10002);
  EXPECT_EQ(log.sampleCount, 10001);
  EXPECT_EQ(log.ShortColumn(10000, 10), "10");
}

}  // namespace
}  // namespace zelk::store

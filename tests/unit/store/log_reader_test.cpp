// The three log readers: which kind a file is, how many samples it holds and
// the texts it keeps of each.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "log_text.h"
#include "store/log_store.h"

namespace zelk::store {
namespace {

using testlogs::Frame7DWith;
using testlogs::FrameLog;

// A sample is a pair of frames, the last pair too: SampleCount is one above.
TEST(ReadLog, FrameLogCountsEveryPairAndEndsAtTheFirstNonFrame) {
  const int cases[][3] = {{4, 4, 5}, {3, 3, 4}, {1, 1, 2}, {10, 2, 7}, {2, 1, 2}, {0, 0, 1}};
  for (const auto& [frames80, frames7D, sampleCount] : cases) {
    LogData log;
    const std::string text = FrameLog(frames7D, {}, "\r\n", frames80 - frames7D);
    ASSERT_EQ(ReadLogText(text, log).outcome, ReadOutcome::Loaded);
    EXPECT_EQ(std::tuple(log.format, long{log.sampleCount}, log.frame80Count()),
              std::tuple(kFrameLog, long{sampleCount}, long{frames80}))
        << frames80 << "+" << frames7D;
  }
  // The frames end at the first field that is no frame.
  for (const std::string stop : {"END", "7d  00", "", "8"}) {
    LogData log;
    const std::string text = FrameLog(1, {}, "\n", 1) + stop + "\n" + Frame7DWith({}) + "\n";
    ASSERT_EQ(ReadLogText(text, log).outcome, ReadOutcome::Loaded);
    EXPECT_EQ(std::tuple(log.frame80Count(), log.frame7DCount(), long{log.sampleCount}),
              std::tuple(2L, 1L, 2L))
        << stop;
    EXPECT_EQ(log.LogLine(4), stop);
    EXPECT_EQ(log.Frame7D(2), "");
  }
  const std::string frame = "7D  20 01 02";  // a frame byte needs both its characters
  EXPECT_EQ(std::tuple(FrameByte(frame, 0), FrameByte(frame, 2), FrameByte(frame, 3),
                       FrameByte("7D  20 0", 1), FrameByte(frame, -1)),
            std::tuple("20", "02", "", "", ""));
}

// A file that no column log's first field claims is read as a frame log.
TEST(ReadLog, RejectsFilesThatAreNoFrameLog) {
  for (const std::string text :
       {"Zelk\r\necu lower\r\nh\r\n", "ECU first\r\nnot\r\nh\r\n", "#Time\r\nx\r\n",
        "time,a\r\n1\r\n", "", "Zelk", "Zelk\r\nECU only"}) {
    LogData log;
    EXPECT_EQ(ReadLogText(text, log).outcome, ReadOutcome::NotAFrameLog) << text;
  }
}

// Every row is a sample, the last one too, with the time it records.
TEST(ReadLog, ColumnLogCountsEveryRowAndKeepsTheirStoredTexts) {
  const std::string header = "#time,c1,c2,c3,c4,c5,c6,c7,c8,c9,c10\r\n";
  const std::string row = ",10,20,30,40,50,60,70,80,90,100\r\n";
  const std::tuple<std::string, LogFormat, int> cases[] = {
      {header + "0.40" + row + "0.80" + row + "1.20" + row, kShortTimeLog, 4},
      {header + "0.40" + row, kShortTimeLog, 2},
      {header, kShortTimeLog, 1},
      {"Time,a,b\r\n", kTimeLog, 1}};  // ends in its header
  for (const auto& [text, format, sampleCount] : cases) {
    LogData log;
    ASSERT_EQ(ReadLogText(text, log).outcome, ReadOutcome::Loaded);
    EXPECT_EQ(std::pair(log.format, int{log.sampleCount}), std::pair(format, sampleCount)) << text;
    EXPECT_EQ(log.ShortColumn(sampleCount - 1, 10), sampleCount > 1 ? "100" : "") << text;
    EXPECT_EQ(log.RowTime(sampleCount - 1), sampleCount > 1 ? (sampleCount > 2 ? "1.20" : "0.40")
                                                            : "")
        << text;
  }
  // 33 fields after the 12 leading ones (the header and the first time):
  // three whole records.
  std::string text = header;
  for (int i = 0; i <= 33; ++i) text += std::to_string(i) + "\r\n";
  LogData log;
  ReadLogText(text, log);
  EXPECT_EQ(log.sampleCount, 4);
  EXPECT_EQ(std::tuple(log.ShortColumn(1, 1), log.ShortColumn(3, 11)), std::tuple("1", "33"));
  EXPECT_EQ(log.Column(1, 1), "");  // not a "Time" log

  // A "Time" log's records keep their stored texts.
  log = LogData();
  text = "Time" + std::string(33, ',') + "c\r\n.5,-0.0,12.50,x y \r\n-007,\"q,1\",3";
  ASSERT_EQ(ReadLogText(text, log).outcome, ReadOutcome::Loaded);
  const std::vector<std::string> expected = {"0.5", "0", "12.5", "x y ", "-7", "q,1", "3", ""};
  for (long c = 1; c <= 8; ++c) EXPECT_EQ(log.Column(1, c), expected[c - 1]) << c;
  EXPECT_EQ(std::tuple(log.RowTime(1), log.RowTime(2)), std::tuple("c", ""));
  EXPECT_EQ(log.recordCount(), 1);  // the record ends with the file
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
  std::mt19937 random(12345);
  for (const auto& [header, columns, column] :
       {std::tuple<std::string, int, bool>{"Time" + std::string(32, ','), 32, true},
        {"#time,a,b,c,d,e,f,g,h,i,j", 11, false}}) {
    for (int trial = 0; trial < 6; ++trial) {
      const std::string& eol = ends[trial % 3];
      std::string body;
      const int records = 1 + static_cast<int>(random() % 300);
      for (int r = 0; r < records; ++r) {
        for (int c = 0; c < columns; ++c) {
          body += samples[random() % samples.size()] + (c + 1 < columns ? "," : "");
        }
        if (r + 1 < records || trial % 2 == 0) body += eol;
      }
      LogData byLines, byFields;
      ASSERT_EQ(ReadLogText(header + eol + body, byLines).outcome, ReadOutcome::Loaded);
      ASSERT_EQ(ReadLogText(header + eol + "\"q\"" + body, byFields).outcome, ReadOutcome::Loaded);
      ASSERT_EQ(byLines.sampleCount, records + 1);
      ASSERT_EQ(byFields.sampleCount, records + 1);
      ASSERT_EQ(byLines.recordCount(), byFields.recordCount());
      // Row 1's time is "q" in the second; the others as written.
      for (long r = 2; r <= records + 1; ++r) {
        ASSERT_EQ(byLines.RowTime(r), byFields.RowTime(r)) << trial << " row " << r;
      }
      for (long r = 0; r <= records + 1; ++r) {
        for (long c = 0; c <= columns + 1; ++c) {
          ASSERT_EQ(column ? byLines.Column(r, c) : byLines.ShortColumn(r, c),
                    column ? byFields.Column(r, c) : byFields.ShortColumn(r, c))
              << trial << " record " << r << " column " << c;
        }
      }
    }
  }
}

}  // namespace
}  // namespace zelk::store

// Small logs of each kind, some with odd bytes or odd rows, and a file that is
// no log, for the log target to start from. Long enough ones page in the
// shorter window lengths.
#include <map>

#include "exercise.h"
#include "log_text.h"

namespace zelk::fuzz {

std::vector<std::pair<std::string, std::string>> LogSeeds() {
  using testlogs::Frame7DWith;
  using testlogs::Frame80With;
  // No plain number, so kept as it is, and read as an infinity: its leading
  // number is too long for a double.
  const std::string huge = std::string(400, '9') + "x";
  std::vector<std::string> rows;
  for (int i = 0; i < 200; ++i) rows.push_back(std::to_string(i * 37 % 251));
  // Rows of a "Time" log with fewer and more fields than a record holds, and
  // no line end after the last.
  std::string ragged = "Time,h1\r\n1,5,6\n2,7\r3";
  for (int k = 0; k < 40; ++k) ragged += "," + std::to_string(k);
  ragged += "\r\n4";
  return {
      {"frames_small.txt", testlogs::FrameLog(30, {800, 2500, 6000})},
      {"frames_lf_extra80.txt", testlogs::FrameLog(12, {0, 65535}, "\n", 3)},
      {"frames_cr.txt", testlogs::FrameLog(20, {1000, 4000}, "\r")},
      {"frames_paged.txt", testlogs::FrameLog(300, {900, 1800, 2700, 3600})},
      {"frames_odd_bytes.txt",
       testlogs::FrameLogOf({Frame80With({{1, "ff"}, {3, "zz"}, {5, "7"}}),
                             Frame80With({{0, "00"}}), testlogs::Frame("80", 4, {})},
                            {Frame7DWith({{11, "G0"}, {6, "FF"}}), testlogs::Frame("7D", 9, {})})},
      {"time_small.txt", testlogs::TimeLog({{1, {"800", huge, "x", "1200"}},
                                            {5, {"90", "-" + huge, "1e3", "-40"}},
                                            {19, {"1", "255", "0"}},
                                            {20, {"3", "0", "128"}}})},
      {"time_quoted.txt", testlogs::TimeLog({{1, {"\"900\"", "\"1,200\"", "800"}},
                                             {8, {" 21\t", "\"a\r\nb\"", "\""}}})},
      {"time_ragged.txt", ragged},
      {"time_paged.txt", testlogs::TimeLog({{1, rows}, {7, rows}, {13, rows}})},
      {"short_small.txt",
       testlogs::ShortTimeLog(
           {{1, {"900", huge, "", "3000"}}, {9, {"1", "0", "1"}}, {10, {"450", huge, ".5"}}})},
      {"short_paged.txt", testlogs::ShortTimeLog({{1, rows}, {4, rows}, {10, rows}})},
      {"refused.txt", "ZelkLog\r\nnot an ECU\r\n80  1C 00\r\n"},
  };
}

}  // namespace zelk::fuzz

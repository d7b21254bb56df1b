// What the benchmark program's report is made of: the figures kept from the
// runs and the Markdown table written from them, shared by the parts of the
// report.
#pragma once

#include <charconv>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zelk::bench {

inline constexpr double kFrameMs = 1000.0 / 60;

struct Figure {
  double ms = 0;
  std::map<std::string, double> counters;
  int repetitions = 1;
};

inline std::string Fixed(double value, int decimals) {
  char buf[64];
  auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals).ptr;
  return std::string(buf, end);
}

// Milliseconds with three significant digits or so.
inline std::string Ms(double ms) { return Fixed(ms, ms < 1 ? 3 : ms < 10 ? 2 : 1) + " ms"; }

class Table {
 public:
  void Row(const std::string& what, const std::string& figure, const std::string& reference,
           double ratio, const std::string& target, bool met) {
    rows_ += "| " + what + " | " + figure + " | " + reference + " | " + Fixed(ratio, 2) + "× | " +
             target + " | " + (met ? "yes" : "**no**") + " |\n";
  }
  // A figure measured beside its reference with no target set for it.
  void Measured(const std::string& what, const std::string& figure, const std::string& reference,
                double ratio) {
    rows_ += "| " + what + " | " + figure + " | " + reference + " | " + Fixed(ratio, 2) +
             "× | — | — |\n";
  }
  void Missing(const std::string& what) { rows_ += "| " + what + " | not measured | | | | |\n"; }
  const std::string& rows() const { return rows_; }

 private:
  std::string rows_;
};

// Finds a benchmark's figure by its name; nothing when it did not run.
using FindFigure = std::function<const Figure*(const std::string& name)>;

// The rows of the batch export: the whole export per channel, the shares of
// the PNG encoding and of the core, the PNG encodings against Qt's and the
// earlier writer's, and the export of 30 logs on every core.
void ReportExport(Table& table, const FindFigure& find);

// The rows of the Channels window at 3840×2160 with its ten strips: its
// open, a marker step and a wheel zoom, each beside the main window doing
// the like alone, and the memory the open window adds.
void ReportChannelsWindow(Table& table, const FindFigure& find);
// The rows of two logs compared: opening the comparison, and a marker step
// in the main window and in the Channels window, each beside the like done
// with one log.
void ReportCompare(Table& table, const FindFigure& find);

// A figure measured on each kind of log beside its reference, the benchmark
// of the same name with "Reference" before the kind's: "BM_X/" and
// "BM_XReference/", each with the kind's name after.
struct FigureRow {
  const char *name, *what, *reference;
  double targetMs;
  const char* target;
};
// One row for each kind of each of `rows`, what it is followed by `between`
// and the kind's title.
void FigureRows(Table& table, const FindFigure& find, const std::vector<FigureRow>& rows,
                const std::string& between);

}  // namespace zelk::bench

// What a batch run prints: each log's lines in the order of the logs, whatever
// order they finish in, and on a terminal a progress line below them.
#pragma once

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/batch.h"

namespace zelk::cli {

class BatchPrinter {
 public:
  using Clock = std::chrono::steady_clock;
  // `now` tells the time, by which the progress line works out how long the
  // logs left will take.
  BatchPrinter(std::ostream& out, std::ostream& err, const BatchOptions& options,
               std::function<Clock::time_point()> now = Clock::now);

  void Written(size_t log, const std::string& path);
  void Problem(size_t log, const std::string& line);
  void Done(size_t log, bool ok);
  // Draws the progress line again when it is due: a few times a second.
  void Tick();
  // Prints what is left, clears the progress line and gives the exit status.
  int Finish();

 private:
  struct Log {
    std::vector<std::pair<bool, std::string>> lines;  // true: for standard error
    bool done = false;
  };
  void PrintFinished();
  void DrawProgress();
  void ClearProgress();

  std::function<Clock::time_point()> now_;
  std::ostream& out_;
  std::ostream& err_;
  const bool quiet_, progress_;
  std::vector<Log> logs_;
  size_t printed_ = 0, done_ = 0, files_ = 0;
  bool failed_ = false, shown_ = false;
  Clock::time_point start_ = now_(), drawn_;
};

// The logs first, first + step, first + 2 step... below `count` told to a
// printer as one run goes through them.
class SliceReport : public BatchReport {
 public:
  SliceReport(BatchPrinter& printer, size_t first, size_t count, size_t step);
  void Written(const std::string& path) override;
  void Problem(const std::string& line) override;
  void Done(bool ok) override;
  const std::vector<size_t>& logs() const { return logs_; }
  // The logs not yet done, in order.
  std::vector<size_t> Unfinished() const { return {logs_.begin() + at_, logs_.end()}; }

 private:
  BatchPrinter& printer_;
  std::vector<size_t> logs_;
  size_t at_ = 0;
};

}  // namespace zelk::cli

#include "cli/batch_printer.h"

#include <algorithm>

namespace zelk::cli {
namespace {

using namespace std::chrono_literals;

constexpr auto kProgressEvery = 200ms;

std::string TimeLeft(long seconds) {
  if (seconds < 1) return "under 1 s left";
  if (seconds < 60) return "about " + std::to_string(seconds) + " s left";
  return "about " + std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) +
         " s left";
}

}  // namespace

BatchPrinter::BatchPrinter(std::ostream& out, std::ostream& err, const BatchOptions& options,
                           std::function<Clock::time_point()> now)
    : now_(std::move(now)),
      out_(out),
      err_(err),
      quiet_(options.quiet),
      progress_(options.progress),
      logs_(options.logs.size()) {}

void BatchPrinter::Written(size_t log, const std::string& path) {
  if (log >= logs_.size()) return;
  logs_[log].lines.emplace_back(false, path);
  ++files_;
  Tick();
}

void BatchPrinter::Problem(size_t log, const std::string& line) {
  if (log >= logs_.size()) return;
  logs_[log].lines.emplace_back(true, line);
  Tick();
}

void BatchPrinter::Done(size_t log, bool ok) {
  if (log >= logs_.size() || logs_[log].done) return;
  logs_[log].done = true;
  ++done_;
  failed_ = failed_ || !ok;
  PrintFinished();
  Tick();
}

void BatchPrinter::PrintFinished() {
  for (; printed_ < logs_.size() && logs_[printed_].done; ++printed_) {
    std::vector<std::pair<bool, std::string>> lines = std::move(logs_[printed_].lines);
    for (const auto& [error, line] : lines) {
      if (!error && quiet_) continue;
      ClearProgress();
      (error ? err_ : out_) << line << "\n";
    }
  }
}

void BatchPrinter::Tick() {
  if (progress_ && (!shown_ || now_() - drawn_ >= kProgressEvery)) DrawProgress();
}

void BatchPrinter::DrawProgress() {
  drawn_ = now_();
  std::string line = "zelkscope: " + std::to_string(done_) + " of " + std::to_string(logs_.size()) +
                     " logs done, " + std::to_string(files_) + (files_ == 1 ? " file" : " files") +
                     " written, ";
  if (done_ == 0) {
    line += "estimating the time left";
  } else {
    const double spent = std::chrono::duration<double>(drawn_ - start_).count();
    const double left = spent / static_cast<double>(done_) * (logs_.size() - done_);
    line += TimeLeft(static_cast<long>(left + 0.5));
  }
  // What went to standard output reaches the terminal before the line does.
  out_.flush();
  err_ << "\r" << line << "\033[K" << std::flush;
  shown_ = true;
}

void BatchPrinter::ClearProgress() {
  if (!shown_) return;
  err_ << "\r\033[K" << std::flush;
  shown_ = false;
}

int BatchPrinter::Finish() {
  // A log never said to be done counts as failed; its lines are printed all
  // the same.
  for (size_t log = printed_; log < logs_.size(); ++log) Done(log, false);
  ClearProgress();
  out_.flush();
  return failed_ ? 1 : 0;
}

SliceReport::SliceReport(BatchPrinter& printer, size_t first, size_t count, size_t step)
    : printer_(printer) {
  for (size_t log = first; log < count; log += std::max<size_t>(step, 1)) logs_.push_back(log);
}

void SliceReport::Written(const std::string& path) {
  if (at_ < logs_.size()) printer_.Written(logs_[at_], path);
}

void SliceReport::Problem(const std::string& line) {
  if (at_ < logs_.size()) printer_.Problem(logs_[at_], line);
}

void SliceReport::Done(bool ok) {
  if (at_ < logs_.size()) printer_.Done(logs_[at_++], ok);
}

}  // namespace zelk::cli

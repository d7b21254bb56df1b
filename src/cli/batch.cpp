#include "cli/batch.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "chart/time_window.h"
#include "cli/batch_printer.h"

namespace zelk::cli {
namespace {
namespace fs = std::filesystem;

class Run {
 public:
  Run(UserPage& page, const BatchOptions& options, BatchOutput& output, BatchReport& report)
      : page_(page), options_(options), output_(output), report_(report) {}

  // Every file of the log, named from `stem`; false when the log was refused
  // or a file not written.
  bool DoLog(const std::string& log, const std::string& stem) {
    session::Session& session = page_.session();
    std::error_code ec;
    const fs::path file = fs::absolute(fs::path(log), ec).lexically_normal();
    const session::Opened opened = session.Open(file.string(), file.filename().string());
    for (const std::string& message : opened.messages) {
      report_.Problem("zelkscope: " + log + ": " + message);
    }
    if (!opened.accepted) return false;
    ok_ = true;
    session.SetWindowLength(0);
    if (options_.minutes > 0) session.SetWindowLength(options_.minutes);
    if (options_.combined) page_.ShowStrips(options_.channels);
    for (int pageNumber = 1;; ++pageNumber) {
      const std::string suffix =
          options_.minutes > 0 ? "-page" + std::to_string(pageNumber) : std::string();
      if (options_.combined) WriteStack(stem, suffix);
      for (const channels::ChannelId channel : options_.combined ? Ids() : options_.channels) {
        session.ChooseChannel(channel);
        WriteChannel(stem, suffix);
      }
      if (options_.minutes == 0 || !session.window().hasNext) break;
      session.Page(+1);
    }
    return ok_;
  }

 private:
  using Ids = std::vector<channels::ChannelId>;

  // The stack of the chosen channels, as a picture and one table.
  void WriteStack(const std::string& stem, const std::string& suffix) {
    const fs::path base = fs::path(options_.folder) / (stem + "-channels" + suffix);
    std::string problem;
    const std::string png = base.string() + ".png";
    Report(png, output_.WriteStack(png, problem), problem);
    const std::string csv = base.string() + ".csv";
    Report(csv, output_.WriteText(csv, page_.channelsView().DataCsv(), problem), problem);
  }

  void WriteChannel(const std::string& stem, const std::string& suffix) {
    const fs::path base = fs::path(options_.folder) / (stem + "-" + page_.ChannelName() + suffix);
    // A report shows the graph alone: the marker's strip stays off it.
    page_.ParkMarkerStrip();
    std::string problem;
    const std::string png = base.string() + ".png";
    Report(png, output_.WriteGraph(png, problem), problem);
    const std::string csv = base.string() + ".csv";
    Report(csv, output_.WriteText(csv, page_.DataCsv(), problem), problem);
  }

  void Report(const std::string& path, bool written, const std::string& problem) {
    if (written) {
      report_.Written(path);
    } else {
      report_.Problem("zelkscope: cannot write \"" + path + "\": " + problem);
      ok_ = false;
    }
  }

  UserPage& page_;
  const BatchOptions& options_;
  BatchOutput& output_;
  BatchReport& report_;
  bool ok_ = true;
};

}  // namespace

std::vector<std::string> FileStems(const std::vector<std::string>& logs) {
  std::vector<std::string> stems;
  std::set<std::string> taken;
  for (const std::string& log : logs) {
    // The log's file name as the page takes it when it opens the log.
    std::error_code ec;
    const fs::path file = fs::absolute(fs::path(log), ec).lexically_normal();
    const std::string name = file.stem().string();
    std::string stem = name;
    for (int n = 2; taken.contains(stem); ++n) stem = name + "-" + std::to_string(n);
    taken.insert(stem);
    stems.push_back(stem);
  }
  return stems;
}

bool MakeFolder(const std::string& folder, std::ostream& err) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!ec) return true;
  err << "zelkscope: cannot make the folder \"" << folder << "\": " << ec.message() << "\n";
  return false;
}

void RunLogs(UserPage& page, const BatchOptions& options, const std::vector<std::string>& stems,
             BatchOutput& output, BatchReport& report) {
  Run run(page, options, output, report);
  for (size_t i = 0; i < options.logs.size() && i < stems.size(); ++i) {
    report.Done(run.DoLog(options.logs[i], stems[i]));
  }
}

int RunBatch(UserPage& page, const BatchOptions& options, BatchOutput& output, std::ostream& out,
             std::ostream& err) {
  if (!MakeFolder(options.folder, err)) return 1;
  BatchPrinter printer(out, err, options);
  SliceReport report(printer, 0, options.logs.size(), 1);
  RunLogs(page, options, FileStems(options.logs), output, report);
  return printer.Finish();
}

}  // namespace zelk::cli

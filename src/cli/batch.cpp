#include "cli/batch.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "chart/time_window.h"

namespace zelk::cli {
namespace {
namespace fs = std::filesystem;

// The window list's entry for a window length: 0 for the Full Trip.
int WindowEntry(const UserPage& page, int minutes) {
  for (int k = 1; k <= 5; ++k) {
    if (page.tables().Minutes(k) == minutes) return k;
  }
  return 0;
}

class Run {
 public:
  Run(UserPage& page, const BatchOptions& options, BatchOutput& output, std::ostream& out,
      std::ostream& err)
      : page_(page), options_(options), output_(output), out_(out), err_(err) {}

  int Go() {
    std::error_code ec;
    fs::create_directories(options_.folder, ec);
    if (ec) {
      err_ << "zelkscope: cannot make the folder \"" << options_.folder << "\": " << ec.message()
           << "\n";
      return 1;
    }
    for (const std::string& log : options_.logs) DoLog(log);
    return failed_ ? 1 : 0;
  }

 private:
  void DoLog(const std::string& log) {
    const bool loaded = page_.OpenPath(log);
    for (const form::Message& message : page_.TakeMessages()) {
      err_ << "zelkscope: " << log << ": " << message.text << "\n";
    }
    if (!loaded) {
      failed_ = true;
      return;
    }
    // Two logs of the same name from different folders keep apart.
    std::string stem = fs::path(page_.vars().file.name).stem().string();
    for (int n = 2; stems_.contains(stem); ++n) {
      stem = fs::path(page_.vars().file.name).stem().string() + "-" + std::to_string(n);
    }
    stems_.insert(stem);

    page_.Select("YAxis", 0);
    if (const int entry = WindowEntry(page_, options_.minutes); entry > 0) {
      page_.Select("YAxis", entry);
    }
    for (int pageNumber = 1;; ++pageNumber) {
      const std::string suffix =
          options_.minutes > 0 ? "-page" + std::to_string(pageNumber) : std::string();
      for (const std::string& key : options_.channels) {
        page_.Click(key);
        WriteChannel(stem, suffix);
      }
      if (options_.minutes == 0 || !page_.controls()(form::ctl::NextImage).state.visible) break;
      page_.Click("NextImage");
    }
  }

  void WriteChannel(const std::string& stem, const std::string& suffix) {
    const fs::path base = fs::path(options_.folder) / (stem + "-" + page_.ChannelName() + suffix);
    // A report shows the graph alone: the marker strip stays off it.
    page_.controls()(form::ctl::Overlay).state.left = chart::kMarkerParked;
    std::string problem;
    const std::string png = base.string() + ".png";
    Report(png, output_.WriteGraph(png, problem), problem);
    const std::string csv = base.string() + ".csv";
    Report(csv, output_.WriteText(csv, page_.DataCsv(), problem), problem);
  }

  void Report(const std::string& path, bool written, const std::string& problem) {
    if (written) {
      out_ << path << "\n";
    } else {
      err_ << "zelkscope: cannot write \"" << path << "\": " << problem << "\n";
      failed_ = true;
    }
  }

  UserPage& page_;
  const BatchOptions& options_;
  BatchOutput& output_;
  std::ostream& out_;
  std::ostream& err_;
  std::set<std::string> stems_;
  bool failed_ = false;
};

}  // namespace

int RunBatch(UserPage& page, const BatchOptions& options, BatchOutput& output, std::ostream& out,
             std::ostream& err) {
  return Run(page, options, output, out, err).Go();
}

}  // namespace zelk::cli

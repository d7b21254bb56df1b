// A batch run's files, written from the window: the graph exactly as the
// window shows it, the data tables as they are given.
#pragma once

#include "app/main_window.h"
#include "cli/batch.h"

namespace zelk::app {

class WindowBatchOutput : public cli::BatchOutput {
 public:
  explicit WindowBatchOutput(MainWindow& window) : window_(window) {}
  bool WriteGraph(const std::string& path, std::string& problem) override;
  bool WriteStack(const std::string& path, std::string& problem) override;
  bool WriteText(const std::string& path, const std::string& text, std::string& problem) override;

 private:
  MainWindow& window_;
};

}  // namespace zelk::app

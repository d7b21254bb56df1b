// A batch run: every chosen channel of every log, over the Full Trip or over
// each page of a window length, written as a graph and a data table.
#pragma once

#include <ostream>
#include <string>

#include "cli/command_line.h"
#include "form/user_page.h"

namespace zelk::cli {

using form::UserPage;

// Where a batch run writes. The graph is the one on screen at the call.
class BatchOutput {
 public:
  virtual ~BatchOutput() = default;
  // Each gives false and says why in `problem` when the file was not written.
  virtual bool WriteGraph(const std::string& path, std::string& problem) = 0;
  virtual bool WriteText(const std::string& path, const std::string& text,
                         std::string& problem) = 0;
};

// Runs the batch on `page`, printing each file written to `out` and each log
// refused or file not written to `err`. Returns the exit status: 0 when all
// was done, 1 otherwise.
int RunBatch(UserPage& page, const BatchOptions& options, BatchOutput& output, std::ostream& out,
             std::ostream& err);

}  // namespace zelk::cli

// A batch run: every chosen channel of every log, over the Full Trip or over
// each page of a window length, written as a graph and a data table.
#pragma once

#include <ostream>
#include <string>
#include <vector>

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
  // The Channels view's stack of strips as a picture.
  virtual bool WriteStack(const std::string& path, std::string& problem) = 0;
  virtual bool WriteText(const std::string& path, const std::string& text,
                         std::string& problem) = 0;
};

// What a run tells of its logs, one log after the other.
class BatchReport {
 public:
  virtual ~BatchReport() = default;
  virtual void Written(const std::string& path) = 0;  // a line for standard output
  virtual void Problem(const std::string& line) = 0;  // a line for standard error
  virtual void Done(bool ok) = 0;                     // the log is finished
};

// What each log's files are called: its file name without the extension,
// and for a later log of the same file name "-2", "-3"... in the order
// given. The names come from the list alone, refused logs included, so
// that they never depend on which logs load or which process is done first.
std::vector<std::string> FileStems(const std::vector<std::string>& logs);

// Makes the folder, or says why it cannot on `err`.
bool MakeFolder(const std::string& folder, std::ostream& err);

// Runs the logs of `options` on `page`, their files named by `stems`.
void RunLogs(UserPage& page, const BatchOptions& options, const std::vector<std::string>& stems,
             BatchOutput& output, BatchReport& report);

// Runs the batch on `page`, printing each file written to `out` and each log
// refused or file not written to `err`. Returns the exit status: 0 when all
// was done, 1 otherwise.
int RunBatch(UserPage& page, const BatchOptions& options, BatchOutput& output, std::ostream& out,
             std::ostream& err);

}  // namespace zelk::cli

// A batch run shared among processes: this program started again as workers
// (the hidden --worker option), each on a share of the logs, and the run
// that started them printing what they tell as a run in one process would.
#pragma once

#include <ostream>

#include "cli/batch.h"

namespace zelk::cli {

// The processes a run of `options` takes: --jobs, or one for each processor
// core, and no more than there are logs.
int WorkerCount(const BatchOptions& options);

// Runs the batch in `workers` worker processes; returns the exit status. A
// worker that dies is reported with each log it had not finished.
int RunInWorkers(const BatchOptions& options, int workers, std::ostream& out, std::ostream& err);

// A worker's side: runs its logs on `page` and tells the run that started it
// on `out` what each log printed.
int RunAsWorker(UserPage& page, const BatchOptions& options, BatchOutput& output,
                std::ostream& out);

}  // namespace zelk::cli

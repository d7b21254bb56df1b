#include "cli/workers.h"

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <filesystem>
#include <memory>

#include "cli/batch_printer.h"

extern char** environ;

namespace zelk::cli {
namespace {

// A worker tells each line and each log's end as one record: a letter, the
// length of the text, a colon and the text, which may hold any byte.
constexpr char kWritten = 'w', kProblem = 'p', kDone = 'd';

class WorkerReport : public BatchReport {
 public:
  explicit WorkerReport(std::ostream& out) : out_(out) {}
  void Written(const std::string& path) override { Send(kWritten, path); }
  void Problem(const std::string& line) override { Send(kProblem, line); }
  void Done(bool ok) override {
    failed = failed || !ok;
    Send(kDone, ok ? "1" : "0");
  }
  bool failed = false;

 private:
  // Each record goes at once, so that the run's progress follows the files.
  void Send(char kind, const std::string& text) {
    out_ << kind << text.size() << ':' << text << std::flush;
  }
  std::ostream& out_;
};

int ProcessorCores() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
  return static_cast<int>(std::max(1L, sysconf(_SC_NPROCESSORS_ONLN)));
}

// One worker process, seen from the run that started it.
struct Worker {
  std::unique_ptr<SliceReport> report;
  pid_t pid = -1;
  int fd = -1;         // the read end of the worker's standard output
  std::string buffer;  // what came that is not yet a whole record
  bool garbled = false;

  // Tells the report each whole record in the buffer. A record that is not
  // one of a worker's makes the rest of what it sends unread.
  void TakeRecords() {
    size_t at = 0;
    while (!garbled) {
      const size_t colon = buffer.find(':', at);
      if (colon == std::string::npos) {
        garbled = buffer.size() - at > 24;
        break;
      }
      size_t length = 0;
      const char* first = buffer.data() + at + 1;
      const char* last = buffer.data() + colon;
      const auto [end, error] = std::from_chars(first, last, length);
      const char kind = buffer[at];
      if (first == last || end != last || error != std::errc() ||
          (kind != kWritten && kind != kProblem && kind != kDone)) {
        garbled = true;
        break;
      }
      if (buffer.size() - colon - 1 < length) break;
      const std::string text = buffer.substr(colon + 1, length);
      if (kind == kWritten) report->Written(text);
      if (kind == kProblem) report->Problem(text);
      if (kind == kDone) report->Done(text == "1");
      at = colon + 1 + length;
    }
    buffer.erase(0, at);
  }
};

// Starts this program again as a worker on `share`; the system's reason
// when it cannot.
std::string Start(const BatchOptions& share, Worker& worker) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return std::strerror(errno);
  std::error_code ec;
  const std::string self = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  std::vector<std::string> args = WorkerArguments(share);
  args.insert(args.begin(), self.empty() ? std::string("zelkscope") : self);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
  const int failed =
      posix_spawn(&worker.pid, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(ends[1]);
  if (failed != 0) {
    close(ends[0]);
    return std::strerror(failed);
  }
  worker.fd = ends[0];
  return {};
}

// How a worker that left logs unfinished ended.
std::string HowItEnded(int status) {
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    return "was killed by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
  }
  return "ended with exit status " + std::to_string(WEXITSTATUS(status)) + " before finishing";
}

// Reads from the workers until each has closed its end, then waits for it.
// Every log a worker did not finish is reported as failed, with why.
void Collect(std::vector<Worker>& workers, const BatchOptions& options, BatchPrinter& printer) {
  const auto finish = [&](Worker& worker, const std::string& why) {
    for (size_t log : worker.report->Unfinished()) {
      worker.report->Problem("zelkscope: " + options.logs[log] + ": not finished: its worker " +
                             "process " + why);
      worker.report->Done(false);
    }
  };
  std::string pollFailure;
  for (;;) {
    std::vector<pollfd> polled;
    std::vector<Worker*> owners;
    for (Worker& worker : workers) {
      if (worker.fd < 0) continue;
      polled.push_back({worker.fd, POLLIN, 0});
      owners.push_back(&worker);
    }
    if (polled.empty()) break;
    // A quarter of a second at most, so that the progress line keeps moving.
    if (poll(polled.data(), polled.size(), 250) < 0 && errno != EINTR) {
      pollFailure = std::strerror(errno);
      break;
    }
    for (size_t i = 0; i < polled.size(); ++i) {
      if (polled[i].revents == 0) continue;
      Worker& worker = *owners[i];
      char chunk[1 << 16];
      const ssize_t n = read(worker.fd, chunk, sizeof chunk);
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (n > 0) {
        if (!worker.garbled) {
          worker.buffer.append(chunk, static_cast<size_t>(n));
          worker.TakeRecords();
        }
        continue;
      }
      close(worker.fd);
      worker.fd = -1;
      int status = 0;
      while (waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
      }
      finish(worker, HowItEnded(status));
    }
    printer.Tick();
  }
  // Only when poll itself failed are workers left: each is stopped.
  for (Worker& worker : workers) {
    if (worker.fd < 0) continue;
    kill(worker.pid, SIGKILL);
    close(worker.fd);
    waitpid(worker.pid, nullptr, 0);
    finish(worker, "was stopped: " + pollFailure);
  }
}

}  // namespace

int WorkerCount(const BatchOptions& options) {
  const int wanted = options.jobs > 0 ? options.jobs : std::min(ProcessorCores(), kMaxJobs);
  return static_cast<int>(std::clamp<size_t>(options.logs.size(), 1, static_cast<size_t>(wanted)));
}

int RunInWorkers(const BatchOptions& options, int workers, std::ostream& out, std::ostream& err) {
  if (!MakeFolder(options.folder, err)) return 1;
  // Every name is settled here, before any log is shared out.
  const std::vector<std::string> stems = FileStems(options.logs);
  BatchPrinter printer(out, err, options);
  std::vector<Worker> crew(static_cast<size_t>(std::max(workers, 1)));
  for (size_t w = 0; w < crew.size(); ++w) {
    Worker& worker = crew[w];
    // Logs w, w + workers, w + 2 workers...: the logs printed next are
    // being worked on together.
    worker.report = std::make_unique<SliceReport>(printer, w, options.logs.size(), crew.size());
    BatchOptions share = options;
    share.logs.clear();
    share.names.clear();
    for (size_t log : worker.report->logs()) {
      share.logs.push_back(options.logs[log]);
      share.names.push_back(stems[log]);
    }
    if (const std::string why = Start(share, worker); !why.empty()) {
      for (size_t log : worker.report->logs()) {
        worker.report->Problem("zelkscope: " + options.logs[log] +
                               ": not finished: its worker process could not be started: " + why);
        worker.report->Done(false);
      }
    }
  }
  Collect(crew, options, printer);
  return printer.Finish();
}

int RunAsWorker(UserPage& page, const BatchOptions& options, BatchOutput& output,
                std::ostream& out) {
  WorkerReport report(out);
  RunLogs(page, options, options.names, output, report);
  return report.failed ? 1 : 0;
}

}  // namespace zelk::cli

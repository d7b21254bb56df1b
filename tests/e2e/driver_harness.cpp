#include "driver_harness.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace zelk::e2e {
namespace fs = std::filesystem;

namespace {

const Json kEmpty;

struct Parser {
  const std::string& s;
  size_t i = 0;

  bool Take(const std::string& word) {
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    return s.compare(i, word.size(), word) == 0 ? (i += word.size(), true) : false;
  }
  std::string Str() {  // from after the opening quote
    std::string out;
    while (i < s.size() && s[i] != '"') {
      char c = s[i++];
      if (c == '\\') {
        c = s[i++];
        if (c == 'u') {  // the dump's \u escapes are control characters
          const unsigned long code = std::stoul(s.substr(i, 4), nullptr, 16);
          c = code < 0x80 ? static_cast<char>(code) : '?', i += 4;
        } else if (c == 'n' || c == 'r' || c == 't') {
          c = c == 'n' ? '\n' : c == 'r' ? '\r' : '\t';
        }
      }
      out += c;
    }
    return ++i, out;
  }
  Json Value() {
    Json v;
    if (Take("{") || Take("[")) {
      const bool object = s[i - 1] == '{';
      // A dump cut short ends the value rather than the test.
      while (i < s.size() && !Take(object ? "}" : "]")) {
        Take(",");
        if (!object) {
          v.items.push_back(Value());
        } else {
          const std::string key = (Take("\""), Str());
          Take(":");
          v.members[key] = Value();
        }
      }
    } else if (Take("\"")) {
      v.text = Str();
    } else if (Take("true")) {
      v.boolean = true;
    } else if (!Take("false") && !Take("null")) {
      size_t used = 0;
      v.number = std::stod(s.substr(i, 64), &used);
      i += used;
    }
    return v;
  }
};

std::vector<Json> ReadDumps(const std::string& path) {
  std::vector<Json> dumps;
  std::ifstream out(path);
  for (std::string line; std::getline(out, line);) dumps.push_back(Parser{line}.Value());
  return dumps;
}

}  // namespace

const Json& Json::operator[](const std::string& key) const {
  auto it = members.find(key);
  return it == members.end() ? kEmpty : it->second;
}

const Json& Json::operator[](size_t i) const { return i < items.size() ? items[i] : kEmpty; }

std::vector<std::string> Json::Strings() const {
  std::vector<std::string> out;
  for (const Json& item : items) out.push_back(item.text);
  return out;
}

Scratch::Scratch() {
  std::string pattern = (fs::temp_directory_path() / "zelk-e2e-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
  dir_ = pattern;
}

Scratch::~Scratch() {
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

std::string Scratch::Write(const std::string& name, const std::string& content) const {
  return WriteFile(fs::path(dir_) / name, content);
}

// The script goes to the driver's standard input, so that the test can act
// between two parts of it and read the driver's peak memory before it ends.
DriverRun Scratch::Run(const std::vector<std::string>& parts, const Between& between) const {
  const std::string outPath = dir_ + "/out.json", errPath = dir_ + "/driver.err";
  std::signal(SIGPIPE, SIG_IGN);
  int input[2];
  if (::pipe2(input, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
  // Emptied before the driver starts: nothing of an earlier run is counted.
  const int outFd = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(input[0], 0);
    ::dup2(outFd, 1);
    ::dup2(errFd, 2);
    ::execl(ZELK_DRIVER, ZELK_DRIVER, "--program-dir", dir_.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  for (const int fd : {input[0], outFd, errFd}) ::close(fd);
  FILE* const script = ::fdopen(input[1], "w");
  int raw = 0;
  bool ended = false;
  DriverRun run;
  size_t dumps = 0;
  // The lines printed so far, counted on from where the last look stopped:
  // a whole dump read again at every look would slow the driver down.
  std::ifstream printed(outPath, std::ios::binary);
  size_t lines = 0;
  for (size_t i = 0; i < parts.size(); ++i) {
    std::string text = (i > 0 && between ? between(i - 1, ReadDumps(outPath)) : "") + parts[i];
    // A last line without its line end would wait for the end of the input.
    if (!text.empty() && text.back() != '\n') text += '\n';
    // A write that fails finds the driver gone; its status tells why.
    std::fwrite(text.data(), 1, text.size(), script);
    std::fflush(script);
    dumps += std::ranges::count(Split(text, '\n'), std::string("dump"));
    // A driver that hangs is ended after two minutes, and the run fails with
    // status -1.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (!ended && lines < dumps) {
      printed.clear();
      lines += static_cast<size_t>(std::count(std::istreambuf_iterator<char>(printed), {}, '\n'));
      ended = ::waitpid(pid, &raw, WNOHANG) == pid;
      if (!ended && std::chrono::steady_clock::now() > deadline) {
        ::kill(pid, SIGKILL);
        ended = ::waitpid(pid, &raw, 0) == pid;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  // The driver's own peak, read while it waits for more: the resource use
  // that wait4 gives also counts this process's size at the fork.
  const std::string status = ReadFile("/proc/" + std::to_string(pid) + "/status");
  if (const size_t at = status.find("VmHWM:"); at != std::string::npos)
    run.peakKb = std::atol(status.c_str() + at + 6);
  std::fclose(script);
  if (!ended) ::waitpid(pid, &raw, 0);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.dumps = ReadDumps(outPath);
  run.err = ReadFile(errPath);
  return run;
}

}  // namespace zelk::e2e

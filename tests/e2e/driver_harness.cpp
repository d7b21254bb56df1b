#include "driver_harness.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace zelk::e2e {
namespace fs = std::filesystem;

namespace {

class Parser {
 public:
  explicit Parser(const std::string& s) : s_(s) {}
  Json Value() {
    Skip();
    if (i_ >= s_.size()) throw std::runtime_error("json: unexpected end");
    const char c = s_[i_];
    Json v;
    if (c == '{') {
      v.type = Json::Type::Object;
      ++i_;
      Skip();
      if (s_[i_] == '}') return ++i_, v;
      for (;;) {
        Skip();
        std::string key = Str();
        Skip();
        Expect(':');
        v.members[key] = Value();
        Skip();
        if (s_[i_] == ',') {
          ++i_;
          continue;
        }
        Expect('}');
        return v;
      }
    }
    if (c == '[') {
      v.type = Json::Type::Array;
      ++i_;
      Skip();
      if (s_[i_] == ']') return ++i_, v;
      for (;;) {
        v.items.push_back(Value());
        Skip();
        if (s_[i_] == ',') {
          ++i_;
          continue;
        }
        Expect(']');
        return v;
      }
    }
    if (c == '"') {
      v.type = Json::Type::String;
      v.text = Str();
      return v;
    }
    if (s_.compare(i_, 4, "true") == 0) {
      i_ += 4;
      v.type = Json::Type::Bool;
      v.boolean = true;
      return v;
    }
    if (s_.compare(i_, 5, "false") == 0) {
      i_ += 5;
      v.type = Json::Type::Bool;
      return v;
    }
    if (s_.compare(i_, 4, "null") == 0) {
      i_ += 4;
      return v;
    }
    size_t used = 0;
    v.type = Json::Type::Number;
    v.number = std::stod(s_.substr(i_, 64), &used);
    i_ += used;
    return v;
  }

 private:
  void Skip() {
    while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
  }
  void Expect(char c) {
    if (i_ >= s_.size() || s_[i_] != c)
      throw std::runtime_error(std::string("json: expected ") + c);
    ++i_;
  }
  std::string Str() {
    Expect('"');
    std::string out;
    while (i_ < s_.size() && s_[i_] != '"') {
      char c = s_[i_++];
      if (c == '\\') {
        const char e = s_[i_++];
        switch (e) {
          case 'n':
            out += '\n';
            break;
          case 'r':
            out += '\r';
            break;
          case 't':
            out += '\t';
            break;
          case 'u': {
            const unsigned code = std::stoul(s_.substr(i_, 4), nullptr, 16);
            i_ += 4;
            if (code < 0x80)
              out += static_cast<char>(code);
            else
              out += "?";
            break;
          }
          default:
            out += e;
        }
      } else {
        out += c;
      }
    }
    Expect('"');
    return out;
  }
  const std::string& s_;
  size_t i_ = 0;
};

const Json kNull;

}  // namespace

const Json& Json::operator[](const std::string& key) const {
  auto it = members.find(key);
  return it == members.end() ? kNull : it->second;
}

const Json& Json::operator[](size_t i) const { return i < items.size() ? items[i] : kNull; }

std::vector<std::string> Json::Strings() const {
  std::vector<std::string> out;
  for (const Json& item : items) out.push_back(item.text);
  return out;
}

Json ParseJson(const std::string& text) { return Parser(text).Value(); }

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
  const fs::path path = fs::path(dir_) / name;
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
  return path.string();
}

namespace {

// The lines a growing file has so far, read on from where the last call
// stopped.
class LineCounter {
 public:
  explicit LineCounter(std::string path) : path_(std::move(path)) {}
  size_t Count() {
    std::ifstream in(path_, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(read_));
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
      lines_ += static_cast<size_t>(std::count(buffer, buffer + in.gcount(), '\n'));
      read_ += static_cast<size_t>(in.gcount());
    }
    return lines_;
  }

 private:
  std::string path_;
  size_t read_ = 0, lines_ = 0;
};

size_t CountDumps(const std::string& script) {
  std::istringstream lines(script);
  size_t dumps = 0;
  for (std::string line; std::getline(lines, line);) dumps += line == "dump";
  return dumps;
}

void WriteAll(int fd, const std::string& text) {
  for (size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;  // the driver is gone; its status tells why
    done += static_cast<size_t>(n);
  }
}

}  // namespace

DriverRun Scratch::Run(const std::string& script) const { return Run({script}, {}); }

// The script goes to the driver's standard input, so that the test can act
// between two parts of it and read the driver's peak memory before it ends.
DriverRun Scratch::Run(const std::vector<std::string>& parts, const Between& between) const {
  const std::string outPath = dir_ + "/out.json", errPath = dir_ + "/driver.err";
  std::signal(SIGPIPE, SIG_IGN);
  int input[2];
  if (::pipe2(input, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
  // Emptied here, before the driver starts, so that nothing of an earlier
  // run's output is counted.
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
  ::close(input[0]);
  ::close(outFd);
  ::close(errFd);
  int raw = 0;
  bool ended = false;
  long peakKb = 0;
  size_t dumps = 0;
  LineCounter printed(outPath);
  const auto waitForDumps = [&] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (!ended && printed.Count() < dumps && std::chrono::steady_clock::now() < deadline) {
      ended = ::waitpid(pid, &raw, WNOHANG) == pid;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    // A driver that hangs is ended after two minutes, and the run fails with
    // status -1.
    if (!ended && printed.Count() < dumps) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &raw, 0);
      ended = true;
    }
  };
  for (size_t i = 0; i < parts.size(); ++i) {
    // A last line without its line end would wait for the end of the input.
    WriteAll(input[1], parts[i].empty() || parts[i].back() == '\n' ? parts[i] : parts[i] + '\n');
    dumps += CountDumps(parts[i]);
    waitForDumps();
    if (i + 1 == parts.size()) {
      // The driver's own peak, read while it waits for more: the resource
      // use that wait4 gives also counts this process's size at the fork.
      std::ifstream status("/proc/" + std::to_string(pid) + "/status");
      for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) peakKb = std::atol(line.c_str() + 6);
      }
    } else if (between) {
      std::vector<Json> sofar;
      std::ifstream out(outPath);
      for (std::string line; std::getline(out, line);) sofar.push_back(ParseJson(line));
      const std::string more = between(i, sofar);
      WriteAll(input[1], more);
      dumps += CountDumps(more);
    }
  }
  ::close(input[1]);
  if (!ended) ::waitpid(pid, &raw, 0);

  DriverRun run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakKb = peakKb;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream out(outPath);
  std::string line;
  while (std::getline(out, line)) run.dumps.push_back(ParseJson(line));
  std::ifstream err(errPath);
  run.err.assign(std::istreambuf_iterator<char>(err), {});
  return run;
}

}  // namespace zelk::e2e

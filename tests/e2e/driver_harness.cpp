#include "driver_harness.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

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
        if (s_[i_] == ',') { ++i_; continue; }
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
        if (s_[i_] == ',') { ++i_; continue; }
        Expect(']');
        return v;
      }
    }
    if (c == '"') {
      v.type = Json::Type::String;
      v.text = Str();
      return v;
    }
    if (s_.compare(i_, 4, "true") == 0) { i_ += 4; v.type = Json::Type::Bool; v.boolean = true; return v; }
    if (s_.compare(i_, 5, "false") == 0) { i_ += 5; v.type = Json::Type::Bool; return v; }
    if (s_.compare(i_, 4, "null") == 0) { i_ += 4; return v; }
    size_t used = 0;
    v.type = Json::Type::Number;
    v.number = std::stod(s_.substr(i_, 64), &used);
    i_ += used;
    return v;
  }

 private:
  void Skip() { while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_; }
  void Expect(char c) {
    if (i_ >= s_.size() || s_[i_] != c) throw std::runtime_error(std::string("json: expected ") + c);
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
          case 'n': out += '\n'; break;
          case 'r': out += '\r'; break;
          case 't': out += '\t'; break;
          case 'u': {
            const unsigned code = std::stoul(s_.substr(i_, 4), nullptr, 16);
            i_ += 4;
            if (code < 0x80) out += static_cast<char>(code);
            else out += "?";
            break;
          }
          default: out += e;
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

DriverRun Scratch::Run(const std::string& script) const {
  const std::string scriptPath = Write("script.zs", script);
  const std::string outPath = dir_ + "/out.json", errPath = dir_ + "/driver.err";
  const std::string command = std::string("'") + ZELK_DRIVER + "' --program-dir '" + dir_ +
                              "' '" + scriptPath + "' > '" + outPath + "' 2> '" + errPath + "'";
  DriverRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream out(outPath);
  std::string line;
  while (std::getline(out, line)) run.dumps.push_back(ParseJson(line));
  std::ifstream err(errPath);
  run.err.assign(std::istreambuf_iterator<char>(err), {});
  return run;
}

}  // namespace zelk::e2e

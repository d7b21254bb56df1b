// Runs the headless driver on a script and reads back its dumps.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "log_text.h"

namespace zelk::e2e {
using namespace zelk::testlogs;

// A parsed JSON value: enough of JSON to read the driver's dump.
struct Json {
  enum class Type { Null, Bool, Number, String, Array, Object } type = Type::Null;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<Json> items;
  std::map<std::string, Json> members;

  const Json& operator[](const std::string& key) const;  // a Null value when absent
  const Json& operator[](size_t i) const;
  size_t size() const { return type == Type::Array ? items.size() : members.size(); }
  std::vector<std::string> Strings() const;
};

Json ParseJson(const std::string& text);

struct DriverRun {
  int status = -1;
  std::vector<Json> dumps;  // one per "dump" line
  std::string err;
};

// A scratch folder with helpers to write logs into it.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  const std::string& dir() const { return dir_; }
  std::string Write(const std::string& name, const std::string& content) const;
  // The driver with the scratch folder as its program folder.
  DriverRun Run(const std::string& script) const;

 private:
  std::string dir_;
};

}  // namespace zelk::e2e

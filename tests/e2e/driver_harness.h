// Runs the headless driver on a script and reads back its dumps.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "log_text.h"

namespace zelk::e2e {
using namespace zelk::testlogs;

// A parsed JSON value: enough of JSON to read the driver's dump (null, an
// empty array and an empty object all read as the empty value).
struct Json {
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<Json> items;
  std::map<std::string, Json> members;

  const Json& operator[](const std::string& key) const;  // the empty value when absent
  const Json& operator[](size_t i) const;
  size_t size() const { return items.size(); }
  std::vector<std::string> Strings() const;
  bool operator==(const Json&) const = default;
};

struct DriverRun {
  int status = -1;          // the exit status; -1 when the driver did not exit by itself
  std::vector<Json> dumps;  // one per "dump" line
  std::string err;
  double seconds = 0;  // from start to exit
  long peakKb = 0;     // the driver's largest resident size
};

// A scratch folder with helpers to write logs into it and run the driver in it.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  const std::string& dir() const { return dir_; }
  std::string Write(const std::string& name, const std::string& content) const;
  // The driver with the scratch folder as its program folder.
  DriverRun Run(const std::string& script) const { return Run({script}, {}); }
  // The same, the script given in parts: once the driver has printed the
  // dumps of part i, `between(i, dumps so far)` runs and what it gives goes
  // to the driver before part i + 1.
  using Between = std::function<std::string(size_t, const std::vector<Json>&)>;
  DriverRun Run(const std::vector<std::string>& parts, const Between& between) const;

 private:
  std::string dir_;
};

}  // namespace zelk::e2e

// The state of every control of the window, looked up by name.
#pragma once

#include <string_view>
#include <unordered_map>
#include <vector>

#include "form/control.h"

namespace zelk::form {

class Controls {
 public:
  Controls();  // every control of the layout table, at its design-time state
  Control& operator()(std::string_view name, int index = -1);
  const Control& operator()(std::string_view name, int index = -1) const;
  Control* Find(std::string_view key);  // by "Name" or "Name(3)"; nullptr if none
  std::vector<Control>& all() { return controls_; }
  const std::vector<Control>& all() const { return controls_; }

 private:
  std::vector<Control> controls_;
  std::unordered_map<std::string, size_t> byKey_;
};

}  // namespace zelk::form

// The state of every control of the window, looked up by name.
#pragma once

#include <string_view>
#include <unordered_map>
#include <vector>

#include "form/control.h"
#include "form/control_names.h"

namespace zelk::form {

class Controls {
 public:
  Controls();  // every control of the layout table, at its design-time state
  // A control by its name, and member `index` of a control array.
  Control& operator()(ControlName name, int index = -1) { return Named(name.name, index); }
  const Control& operator()(ControlName name, int index = -1) const {
    return Named(name.name, index);
  }
  // The same for a name that comes from data (a channel's button, a line of
  // the driver's script); the name must be one of the layout table's.
  Control& Named(std::string_view name, int index = -1);
  const Control& Named(std::string_view name, int index = -1) const;
  Control* Find(std::string_view key);  // by "Name" or "Name(3)"; nullptr if none
  std::vector<Control>& all() { return controls_; }
  const std::vector<Control>& all() const { return controls_; }

 private:
  std::vector<Control> controls_;
  std::unordered_map<std::string, size_t> byKey_;
};

}  // namespace zelk::form

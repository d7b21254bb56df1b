#include "form/controls.h"

#include <stdexcept>
#include <string>

namespace zelk::form {

std::string Control::Key() const {
  if (spec.index < 0) return spec.name;
  return spec.name + "(" + std::to_string(spec.index) + ")";
}

Controls::Controls() {
  for (const ControlSpec& spec : LayoutTable()) {
    Control c;
    c.spec = spec;
    c.state.caption = spec.caption;
    c.state.visible = spec.visible;
    c.state.left = spec.left;
    c.state.top = spec.top;
    c.state.width = spec.width;
    c.state.height = spec.height;
    c.state.backColour = spec.backColour;
    c.state.value = spec.scrollMin;
    c.state.enabled = spec.enabled;
    c.state.toolTip = spec.toolTip;
    byKey_.emplace(c.Key(), controls_.size());
    controls_.push_back(std::move(c));
  }
}

Control* Controls::Find(std::string_view key) {
  auto it = byKey_.find(std::string(key));
  return it == byKey_.end() ? nullptr : &controls_[it->second];
}

Control& Controls::Named(std::string_view name, int index) {
  std::string key(name);
  if (index >= 0) key += "(" + std::to_string(index) + ")";
  auto it = byKey_.find(key);
  // Every name the program uses is in the layout table; a miss is a
  // programming error caught by the tests, never by user input.
  if (it == byKey_.end()) throw std::logic_error("no control " + key);
  return controls_[it->second];
}

const Control& Controls::Named(std::string_view name, int index) const {
  return const_cast<Controls*>(this)->Named(name, index);
}

}  // namespace zelk::form

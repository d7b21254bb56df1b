// The keyboard focus: the control that has it, whether the user is typing in
// a text box, and the control the program last gave it to, for the window.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "form/control.h"

namespace zelk::form {

class Focus {
 public:
  // Gives a control the keyboard focus; typing in a box ends there.
  void Set(ControlName control) {
    focus_ = request_ = control.name;
    if (!typing_) return;
    typing_ = false;
    if (typingEnded_) typingEnded_();
  }
  void BeginTyping() { typing_ = true; }
  bool typing() const { return typing_; }
  // Runs when typing ends as the focus moves on.
  void OnTypingEnded(std::function<void()> then) { typingEnded_ = std::move(then); }
  const std::string& control() const { return focus_; }
  // The control the program last gave the focus to since the last call.
  std::string TakeRequest() { return std::exchange(request_, {}); }

 private:
  std::string focus_, request_;
  bool typing_ = false;
  std::function<void()> typingEnded_;
};

// A message box the window is asked to show (answered OK at once).
struct Message {
  std::string title;
  std::string text;
  bool operator==(const Message&) const = default;
};

inline constexpr const char* kProgramTitle = "ZelkScope";

// The message boxes asked for since the window last took them.
class Messages {
 public:
  void Show(std::string text) { list_.push_back({kProgramTitle, std::move(text)}); }
  std::vector<Message> Take() { return std::exchange(list_, {}); }

 private:
  std::vector<Message> list_;
};

}  // namespace zelk::form

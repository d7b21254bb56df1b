// A started window core with a recording canvas and a scratch folder for logs.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "chart/canvas.h"
#include "form/user_event.h"
#include "form/user_page.h"
#include "log_text.h"

namespace zelk::testing {

using testlogs::Split;
using testlogs::Texts;

class PageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelk-unit-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    page_ = std::make_unique<form::UserPage>(canvas_, dir_);
    page_->Form_Load();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // Writes a log and picks it in the browser.
  void Open(const std::string& text, const std::string& name = "log.txt") {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    page_->OpenPath(path);
  }

  // Runs script lines, as the driver reads them, on a window.
  static void Run(form::UserPage& p, const std::string& script) {
    for (const std::string& line : Split(script, '\n')) {
      const std::optional<form::UserEvent> event = form::ParseUserEvent(line);
      ASSERT_TRUE(event && p.Apply(*event)) << line;
    }
  }

  form::UserPage& page() { return *page_; }
  form::ControlState& state(std::string_view name, int index = -1) {
    return page_->controls().Named(name, index).state;
  }
  const session::Session& session() { return page_->session(); }
  const form::GraphState& graph() { return page_->graph(); }
  const std::vector<chart::Line>& lines() { return canvas_.lines(); }

  chart::RecordingCanvas canvas_;
  std::string dir_;
  std::unique_ptr<form::UserPage> page_;
};

}  // namespace zelk::testing

// The fuzz targets' seeds and every input they found a fault with, run again
// through the targets' own bodies.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "exercise.h"

namespace zelk::fuzz {
namespace {
namespace fs = std::filesystem;

using Body = std::string (*)(std::string_view);

struct Input {
  std::string name;
  std::string bytes;
  Body body;
};

// The seed logs, and every file of the folders under tests/fuzz, each with
// the body that replays it.
std::vector<Input> Inputs() {
  std::vector<Input> inputs;
  for (const auto& [name, text] : LogSeeds()) inputs.push_back({name, text, ExerciseLog});
  const std::pair<const char*, Body> kFolders[] = {
      {"regressions/log", ExerciseLog},
      {"regressions/script", ExerciseScript},
      {"seeds/script", ExerciseScript},
  };
  for (const auto& [folder, body] : kFolders) {
    // A folder with nothing in it yet is not kept by git.
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(ZELK_FUZZ_DIR) / folder, ec)) {
      std::ifstream file(entry.path(), std::ios::binary);
      std::ostringstream bytes;
      bytes << file.rdbuf();
      inputs.push_back({entry.path().string(), bytes.str(), body});
    }
  }
  return inputs;
}

TEST(FuzzReplay, SeedsAndFoundInputsKeepEveryPromise) {
  const std::vector<Input> inputs = Inputs();
  ASSERT_GE(inputs.size(), 17u);
  for (const Input& input : inputs) {
    SCOPED_TRACE(input.name);
    EXPECT_EQ(input.body(input.bytes), "");
  }
}

}  // namespace
}  // namespace zelk::fuzz

// The fuzz targets' seeds and every input they found a fault with, run again
// through the targets' own bodies.
#include <gtest/gtest.h>

#include <filesystem>

#include "exercise.h"
#include "log_text.h"

namespace zelk::fuzz {
namespace {

TEST(FuzzReplay, SeedsAndFoundInputsKeepEveryPromise) {
  // Every file of these folders, with the body that replays it; a folder with
  // nothing in it yet is not kept by git.
  const std::pair<const char*, std::string (*)(std::string_view)> kFolders[] = {
      {"seeds/log", ExerciseLog},
      {"regressions/log", ExerciseLog},
      {"regressions/script", ExerciseScript},
      {"seeds/script", ExerciseScript},
  };
  int inputs = 0;
  for (const auto& [folder, body] : kFolders) {
    std::error_code ec;
    for (const auto& file :
         std::filesystem::directory_iterator(ZELK_FUZZ_DIR "/" + std::string(folder), ec)) {
      EXPECT_EQ(body(testlogs::ReadFile(file.path())), "") << file.path();
      ++inputs;
    }
  }
  EXPECT_GE(inputs, 22);
}

}  // namespace
}  // namespace zelk::fuzz

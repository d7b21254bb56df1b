// The fuzz targets' seeds and every input they found a fault with, run again
// through the targets' own bodies.
#include <gtest/gtest.h>

#include <filesystem>

#include "exercise.h"
#include "log_text.h"

namespace zelk::fuzz {
namespace {

TEST(FuzzReplay, SeedsAndFoundInputsKeepEveryPromise) {
  // Every file of each body's seeds and findings, replayed through the body; a
  // folder with nothing in it yet is not kept by git.
  const std::pair<std::string, std::string (*)(std::string_view)> kBodies[] = {
      {"log", ExerciseLog}, {"script", ExerciseScript}};
  int inputs = 0;
  for (const auto& [kind, body] : kBodies) {
    for (const std::string folder : {"/seeds/", "/regressions/"}) {
      std::error_code ec;
      for (const auto& file :
           std::filesystem::directory_iterator(ZELK_FUZZ_DIR + folder + kind, ec)) {
        EXPECT_EQ(body(testlogs::ReadFile(file.path())), "") << file.path();
        ++inputs;
      }
    }
  }
  EXPECT_GE(inputs, 22);
}

}  // namespace
}  // namespace zelk::fuzz

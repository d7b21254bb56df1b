// libFuzzer's entry point of one fuzz target: ZELK_FUZZ_BODY names its body
// (ExerciseLog or ExerciseScript). A broken promise aborts, so that libFuzzer
// keeps the input as a crash.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "exercise.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string fault = zelk::fuzz::ZELK_FUZZ_BODY({reinterpret_cast<const char*>(data), size});
  if (!fault.empty()) std::fprintf(stderr, "broken promise: %s\n", fault.c_str()), std::abort();
  return 0;
}

// zelk-fuzz-seeds DIR: writes the log target's seed logs into DIR, and one
// log with more frames than the tables take, which the replay test leaves
// out: walking its 10000 samples takes seconds in a sanitizer build.
#include <fstream>
#include <iostream>
#include <string>

#include "exercise.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zelk-fuzz-seeds DIR\n";
    return 2;
  }
  auto seeds = zelk::fuzz::LogSeeds();
  std::string capped = "ZelkLog\r\nECU t\r\nr\r\n";
  for (int i = 0; i <= 10000; ++i) capped += "80,7D,";  // frames in the fewest bytes
  seeds.emplace_back("frames_capped.txt", capped);
  for (const auto& [name, text] : seeds) {
    std::ofstream file(std::string(argv[1]) + "/" + name, std::ios::binary);
    file << text;
    if (!file.flush()) {
      std::cerr << "zelk-fuzz-seeds: cannot write " << name << "\n";
      return 1;
    }
  }
  return 0;
}

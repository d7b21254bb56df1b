// What several benchmarks share: the Qt application (offscreen unless a
// platform is set), running this program again as a child for figures that
// need a process of their own, and the process's memory high-water mark.
#pragma once

#include <string>
#include <vector>

namespace zelk::bench {

#ifdef ZELK_WITH_WINDOW
// Created on first use, with the offscreen platform unless one is set.
void EnsureApp();
#endif

// Runs this benchmark program with `args`; its standard output, or empty when
// it failed.
std::string RunChild(const std::vector<std::string>& args);

// The high-water mark of this process's resident memory, in MB.
double PeakResidentMB();

// The child modes, run by main() when the first argument is --child.
int ChildMain(const std::vector<std::string>& args);

}  // namespace zelk::bench

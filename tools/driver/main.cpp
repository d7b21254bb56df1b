// zelkscope-driver [--program-dir DIR] [SCRIPT]
// Runs ZelkScope's core without a screen: start-up, then the user actions of
// the script (from SCRIPT or standard input), printing the window's state as
// JSON at each "dump".
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "chart/canvas.h"
#include "form/user_page.h"
#include "script.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::error_code ec;
  std::string programDir = fs::read_symlink("/proc/self/exe", ec).parent_path().string();
  if (ec) programDir = fs::current_path().string();
  std::string scriptPath;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--program-dir" && i + 1 < argc) {
      programDir = argv[++i];
    } else if (scriptPath.empty() && arg.rfind("--", 0) != 0) {
      scriptPath = arg;
    } else {
      std::cerr << "usage: zelkscope-driver [--program-dir DIR] [SCRIPT]\n";
      return 2;
    }
  }

  zelk::chart::RecordingCanvas canvas;
  zelk::form::UserPage page(canvas, programDir);
  page.Form_Load();
  zelk::driver::ScriptRunner runner(page, canvas, std::cout, std::cerr);
  if (scriptPath.empty()) return runner.Run(std::cin);
  std::ifstream script(scriptPath);
  if (!script) {
    std::cerr << "zelkscope-driver: cannot read " << scriptPath << "\n";
    return 2;
  }
  return runner.Run(script);
}

// The bodies of the two fuzz targets, shared with the test that replays their
// seeds and findings. Each drives the program through one input and gives back
// the first promise the program broke, or the empty text when it kept them
// all. Crashes, sanitizer reports and hangs are left to the caller's tools.
#pragma once

#include <string>
#include <string_view>

namespace zelk::fuzz {

// `bytes` as a log file, opened on a page that already shows a small valid
// log. A refused file must leave that log and every control but the browser
// as they were; an accepted one is walked through every channel, window
// length, marker step and user-defined byte.
std::string ExerciseLog(std::string_view bytes);

// `bytes` as a driver script, run from start-up in a program folder that
// holds the sample logs and the log target's seeds. Only the first kMaxScriptLines
// lines are run, and opens of absolute paths or of paths with ".." are
// dropped, so that no script reaches a device or a pipe.
inline constexpr int kMaxScriptLines = 200;
std::string ExerciseScript(std::string_view bytes);

}  // namespace zelk::fuzz

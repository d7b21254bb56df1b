// The largest logs each table takes, written once per run into a folder of
// their own: the benchmarks read whole files, so that a reference that reads
// a file's bytes reads exactly the bytes the reader takes.
#pragma once

#include <string>

namespace zelk::bench {

enum class LogKind { Frames, Time, ShortTime };

inline constexpr LogKind kLogKinds[] = {LogKind::Frames, LogKind::Time, LogKind::ShortTime};

// "frames", "time", "short_time": used in benchmark names.
const char* KindName(LogKind kind);
// What the report calls the log: "frame log, 10000 0x80 + 10000 0x7D frames".
const char* KindTitle(LogKind kind);

// The folder that plays the program's folder: its `logs` holds the logs.
const std::string& ProgramDir();
// The log of that kind, written on first use: 10000 0x80 and 10000 0x7D
// frames; 10000 "Time" records of 32 fields; 10000 "#time" records of 11.
// Values move as a drive's do and are written as a logger writes them.
const std::string& LargestLog(LogKind kind);

// The channel buttons, in the window's order.
inline constexpr const char* kChannelButtons[] = {
    "RPMButton",  "TemperatureButton", "BatteryButton", "IgnitionButton", "LambdaButton",
    "LoopButton", "ThrottleButton",    "MAPButton",     "STFTButton",     "UserDefinedButton"};

// The whole file read into memory, as the reader's own first step does.
std::string ReadBytes(const std::string& path);

}  // namespace zelk::bench

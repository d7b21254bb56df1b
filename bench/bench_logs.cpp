#include "bench_logs.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "store/log_store.h"

namespace zelk::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 10000;

// Appends a number as a logger's "%.Nf" writes it.
void Put(std::string& out, double value, int decimals) {
  char buf[48];
  out.append(buf,
             std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals).ptr);
}
void Put(std::string& out, long value) {
  char buf[24];
  out.append(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}
void PutHex(std::string& out, int byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += kHex[(byte >> 4) & 15];
  out += kHex[byte & 15];
}

// A drive sampled at moment i: engine speed, temperatures, pressures and the
// like, with a little noise, so that the digits vary as in a real log.
struct Moment {
  double rpm, coolant, intake, map, throttle, battery, advance, lambda, trim, speed;
  bool idle, closedLoop;
};

Moment At(int i, std::mt19937& rng) {
  std::normal_distribution<double> noise(0.0, 1.0);
  const double t = i / 60.0;
  Moment m{};
  m.idle = std::sin(t * 0.9) < -0.6;
  m.rpm = m.idle ? 850 + 15 * noise(rng) : 1800 + 1400 * std::sin(t * 0.9) + 60 * noise(rng);
  m.coolant = 15 + 75 * (1 - std::exp(-t / 2.8)) + 0.3 * noise(rng);
  m.intake = 20 + 8 * std::sin(t / 3) + 0.2 * noise(rng);
  m.map = m.idle ? 35 + noise(rng) : 45 + 40 * std::fabs(std::sin(t * 1.7)) + noise(rng);
  m.throttle = m.idle ? 0.39 : 0.5 + 3.5 * std::fabs(std::sin(t * 1.7));
  m.battery = 14.1 + 0.2 * noise(rng);
  m.advance = 10 + 20 * (m.rpm / 4000) + 0.5 * noise(rng);
  m.closedLoop = t > 2 && !m.idle;
  m.lambda = m.closedLoop ? 450 + 350 * std::sin(i * 1.3) : 400;
  m.trim = m.closedLoop ? 4 * std::sin(t) : 0;
  m.speed = m.idle ? 0 : 30 + 60 * std::fabs(std::sin(t * 0.9));
  return m;
}

std::string FrameLogText() {
  std::string out = "ZelkLog v1.2\r\nECU MEMS 1.6\r\nRecorded 2026-11-14 08:12:00\r\n";
  std::mt19937 rng(1987);
  for (int i = 0; i < kRecords; ++i) {
    const Moment m = At(i, rng);
    const int rpm = static_cast<int>(std::lround(m.rpm));
    const int f80[29] = {0x1C,
                         rpm >> 8,
                         rpm & 255,
                         static_cast<int>(m.coolant + 55),
                         static_cast<int>(m.intake + 55),
                         static_cast<int>(m.intake + 55),
                         0xFF,
                         static_cast<int>(m.battery * 10),
                         static_cast<int>(m.throttle * 51),
                         m.idle,
                         0,
                         0,
                         0,
                         static_cast<int>(m.map),
                         0,
                         0,
                         0,
                         0,
                         0x20,
                         0,
                         0,
                         static_cast<int>(m.advance * 2),
                         0,
                         0x80,
                         0,
                         0,
                         0,
                         0,
                         0};
    out += "80  ";
    for (int b = 0; b < 29; ++b) {
      if (b) out += ' ';
      PutHex(out, f80[b]);
    }
    out += "\r\n7D  ";
    for (int b = 0; b < 32; ++b) {
      if (b) out += ' ';
      PutHex(out, b == 0 ? 0x20 : b == 6 ? static_cast<int>(m.lambda / 5) : b * 7);
    }
    out += "\r\n";
  }
  return out;
}

std::string TimeLogText() {
  std::string out =
      "Time,RPM,IdleError,IdlePos(Steps),IdleSwitch,Coolant Temp (C),MAP(kPascals),"
      "Ignition Advance (degs),Inlet Temperature (C),Throttle Pos (V),Battery (V),"
      "CoilTime (ms),ClosedLoop,Lamda (mv),FuelTrim (%),IdleBasePositon (Steps),AirCon,"
      "F1,F2,FByte1,FByte2,RPM_Raw,Unknown,Ignition Tune (degs),IdleRPM_tune,Fuel Tune,"
      "VirtualMAF,Virtual Fuel,GPS Speed,GPS Longitude,GPS Latitude,GPS Altitude,Comment\r\n";
  std::mt19937 rng(2024);
  double lat = 52.412340, lon = -1.543210;
  for (int i = 0; i < kRecords; ++i) {
    const Moment m = At(i, rng);
    const long rpm = std::lround(m.rpm);
    const long clock = 8 * 3600 + 12 * 60 + i;
    // "08:12:00.000"
    const long parts[] = {clock / 3600, clock / 60 % 60, clock % 60};
    for (int p = 0; p < 3; ++p) {
      if (p) out += ':';
      if (parts[p] < 10) out += '0';
      Put(out, parts[p]);
    }
    out += ".000";
    const double maf = m.rpm * m.map * 1.6 / 2.0 / 60.0 / (8.314 * (m.intake + 273)) * 29;
    lat += m.speed / 3.6 * std::cos(i / 400.0) / 111320.0;
    lon += m.speed / 3.6 * std::sin(i / 400.0) / 68000.0;
    const auto field = [&out] { out += ','; };
    field(), Put(out, rpm);
    field(), Put(out, m.idle ? rpm - 850 : 0L);
    field(), Put(out, 64L);
    field(), Put(out, static_cast<long>(m.idle));
    field(), Put(out, std::lround(m.coolant));
    field(), Put(out, std::lround(m.map));
    field(), Put(out, m.advance, 1);
    field(), Put(out, std::lround(m.intake));
    field(), Put(out, m.throttle, 2);
    field(), Put(out, m.battery, 1);
    field(), Put(out, 2.6 + 0.4 * std::sin(i / 30.0), 2);
    field(), Put(out, static_cast<long>(m.closedLoop));
    field(), Put(out, std::lround(m.lambda));
    field(), Put(out, m.trim, 1);
    field(), Put(out, 35L);
    const long fault = m.coolant > 100;
    field(), Put(out, 0L);
    field(), Put(out, fault);
    field(), Put(out, 0L);
    field(), Put(out, fault);
    field(), Put(out, 0L);
    field(), Put(out, rpm);
    field(), Put(out, 14L);
    for (int z = 0; z < 3; ++z) field(), Put(out, 0L);
    field(), Put(out, maf, 2);
    field(), Put(out, maf * 3600 / 14.7 / 740, 2);
    field(), Put(out, m.speed, 1);
    field(), Put(out, lon, 6);
    field(), Put(out, lat, 6);
    field(), Put(out, 95.0 + 12.0 * std::sin(i / 150.0), 1);
    out += "\r\n";
  }
  return out;
}

std::string ShortTimeLogText() {
  std::string out =
      "#time,RPM,Coolant Temp (C),Intake Temperature (C),Throttle Pos (V),MAP(Psi) (C),"
      "IdleBasePositon (Steps),Battery (V),Idle Switch,Closed Loop,Lamda (mv)\r\n";
  std::mt19937 rng(4242);
  for (int i = 0; i < kRecords; ++i) {
    const Moment m = At(i, rng);
    Put(out, i * 0.4, 2);
    out += ',', Put(out, std::lround(m.rpm));
    out += ',', Put(out, std::lround(m.coolant));
    out += ',', Put(out, std::lround(m.intake));
    out += ',', Put(out, m.throttle, 2);
    out += ',', Put(out, m.map * 0.145038, 1);
    out += ',', Put(out, 35L);
    out += ',', Put(out, m.battery, 1);
    out += ',', Put(out, static_cast<long>(m.idle));
    out += ',', Put(out, static_cast<long>(m.closedLoop));
    out += ',', Put(out, std::lround(m.lambda));
    out += "\r\n";
  }
  return out;
}

}  // namespace

const char* KindName(LogKind kind) {
  switch (kind) {
    case LogKind::Frames:
      return "frames";
    case LogKind::Time:
      return "time";
    case LogKind::ShortTime:
      return "short_time";
  }
  return "";
}

const char* KindTitle(LogKind kind) {
  switch (kind) {
    case LogKind::Frames:
      return "frame log, 10000 0x80 + 10000 0x7D frames";
    case LogKind::Time:
      return "\"Time\" log, 10000 records of 32 fields";
    case LogKind::ShortTime:
      return "\"#time\" log, 10000 records of 11 fields";
  }
  return "";
}

const std::string& ProgramDir() {
  static const std::string dir = [] {
    const fs::path d = fs::temp_directory_path() / "zelk-bench";
    fs::create_directories(d / "logs");
    return d.string();
  }();
  return dir;
}

const std::string& LargestLog(LogKind kind) {
  static std::string paths[3];
  std::string& path = paths[static_cast<int>(kind)];
  if (path.empty()) {
    const std::string p = ProgramDir() + "/logs/largest_" + KindName(kind) + ".txt";
    const std::string text = kind == LogKind::Frames ? FrameLogText()
                             : kind == LogKind::Time ? TimeLogText()
                                                     : ShortTimeLogText();
    std::ofstream(p, std::ios::binary) << text;
    // The file must be one the tables hold entirely, or the reference would
    // read more bytes than the reader takes.
    store::LogData log;
    const store::ReadResult r = store::ReadLogFile(p, log);
    const bool whole = kind == LogKind::Frames
                           ? log.frame80Count() == kRecords && log.frame7DCount() == kRecords
                           : log.recordCount() == kRecords;
    if (r.outcome != store::ReadOutcome::Loaded || r.truncated || !whole) {
      throw std::runtime_error("benchmark log not taken whole: " + p);
    }
    path = p;
  }
  return path;
}

std::string ReadBytes(const std::string& path) {
  std::string text;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return text;
  text.resize(fs::file_size(path));
  text.resize(std::fread(text.data(), 1, text.size(), f));
  std::fclose(f);
  return text;
}

}  // namespace zelk::bench

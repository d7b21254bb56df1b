// zelk-makelogs: writes three made-up sample logs of one 12-minute drive so the
// viewer has something to open without a car attached.
//
//   drive_frames.txt   frame log, 145 samples per minute (0x80 + 0x7D per sample)
//   drive_time.txt     "Time" column log, 60 records per minute
//   drive_quillon.txt  "#time" column log, 150 records per minute
//
// Each column is written in the unit the program reads it in, which is not
// always the unit its header names: a "Time" log's "Throttle Pos (V)" holds
// the pot's fraction of the 5 V supply (0.0 to 1.0) and its "FuelTrim (%)"
// the ECU's raw trim centred on 100; a "#time" log's "Lamda (mv)" holds
// tenths of a millivolt.
//
// Output is reproducible: every log draws its noise from a fixed-seed mt19937.
// Usage: zelk-makelogs <folder>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// The state of engine and car at one moment of the drive.
struct Drive {
  double rpm = 0, idleTarget = 850;
  double coolant = 15, ambient = 12, intake = 15, fuelTemp = 15;  // deg C
  double mapKpa = 35, battery = 12.2;
  double throttle = 20;  // pot reading, 0..255
  double speedKmh = 0, advance = 12;
  bool idle = true, neutral = true, closedLoop = false, coolantFault = false;
};

double Clamp(double v, double lo, double hi) { return std::max(lo, std::min(hi, v)); }
double Lerp(double a, double b, double f) { return a + (b - a) * Clamp(f, 0, 1); }

// The drive: warm-up idle (0-3 min), town (3-7), open road (7-11), coast down
// and idle (11-12). t is in minutes from key-on.
Drive Profile(double t, std::mt19937& rng) {
  std::normal_distribution<double> noise(0.0, 1.0);
  Drive d;
  const double sec = t * 60.0;
  d.coolant = 15.0 + 75.0 * (1.0 - std::exp(-t / 2.8)) + 0.3 * noise(rng);
  const double warm = Clamp((d.coolant - 15.0) / 75.0, 0, 1);
  d.idleTarget = 1100.0 - 250.0 * warm;
  d.fuelTemp = 15.0 + 20.0 * Clamp(t / 12.0, 0, 1);
  d.coolantFault = t >= 7.0;

  if (sec < 0.8) {  // cranking
    d.battery = 12.2;
    d.throttle = 20;
    d.mapKpa = 95;  // engine not turning yet: close to air pressure
    d.intake = 15;
    return d;
  }
  const double idleRpm = d.idleTarget + 15.0 * noise(rng);
  if (t < 3.0 || t >= 11.3) {  // standing idle
    d.rpm = idleRpm;
    d.throttle = 20 + noise(rng);
    d.mapKpa = 35 + 2.0 * noise(rng);
    d.advance = 12 + noise(rng);
  } else if (t < 7.0) {  // town: 50 s stop-go cycles
    const double u = std::fmod((t - 3.0) * 60.0, 50.0) / 50.0;
    if (u < 0.15) {  // waiting at lights
      d.rpm = idleRpm;
      d.throttle = 20 + noise(rng);
      d.mapKpa = 36 + 2.0 * noise(rng);
    } else if (u < 0.55) {  // pulling away through three gears
      const double a = (u - 0.15) / 0.40;
      const double inGear = std::fmod(a * 3.0, 1.0);
      d.rpm = 1200 + 2200 * inGear;
      d.speedKmh = 50.0 * a;
      d.throttle = 110 + 40 * std::sin(kTwoPi * a * 3.0) + 4 * noise(rng);
      d.mapKpa = 70 + 15 * (1 - inGear);
      d.neutral = false;
      d.idle = false;
    } else if (u < 0.8) {  // cruising at 50
      d.rpm = 2000 + 60 * noise(rng);
      d.speedKmh = 50;
      d.throttle = 55 + 3 * noise(rng);
      d.mapKpa = 48 + 2 * noise(rng);
      d.neutral = false;
      d.idle = false;
    } else {  // braking to a stop, throttle shut
      const double b = (u - 0.8) / 0.2;
      d.rpm = Lerp(1800, 900, b);
      d.speedKmh = Lerp(50, 0, b);
      d.throttle = 20;
      d.mapKpa = 25 + 2 * noise(rng);
      d.neutral = b > 0.9;
    }
  } else if (t < 11.0) {  // open road, 5th gear
    const double r = t - 7.0;
    double rpm = 3100 + 750 * std::sin(kTwoPi * r / 1.7) + 300 * std::sin(kTwoPi * r / 0.37);
    double load = 0.5 + 0.35 * std::sin(kTwoPi * r / 0.9 + 1.0) + 0.05 * noise(rng);
    if (r < 0.25) {  // joining the road from town
      rpm = Lerp(1800, rpm, r / 0.25);
      load = 0.9;
    }
    d.rpm = Clamp(rpm + 40 * noise(rng), 2000, 4500);
    load = Clamp(load, 0, 1);
    d.throttle = 60 + 140 * load;
    d.mapKpa = 50 + 45 * load;
    d.speedKmh = d.rpm / 33.0;
    d.neutral = false;
    d.idle = false;
  } else {  // coasting down off the road
    const double c = (t - 11.0) / 0.3;
    d.rpm = Lerp(2600, 950, c);
    d.speedKmh = Lerp(90, 0, c);
    d.throttle = 20;
    d.mapKpa = 24 + 2 * noise(rng);
    d.neutral = c > 0.95;
  }
  d.rpm = Clamp(d.rpm, 0, 5500);
  d.throttle = Clamp(d.throttle, 0, 255);
  d.mapKpa = Clamp(d.mapKpa, 20, 95);
  if (!d.idle)
    d.advance = Clamp(10 + 0.006 * d.rpm + 14 * (1.0 - (d.mapKpa - 30) / 65.0), 10, 40);
  d.advance = Clamp(d.advance, 10, 40);

  // Inlet air heats up while standing and in town, cools at speed.
  const double heat = t < 7 ? 15 + 25 * Clamp(t / 7, 0, 1)
                    : t < 11 ? Lerp(40, 22, (t - 7) / 1.5)
                             : Lerp(22, 35, (t - 11));
  d.intake = Clamp(heat + 0.5 * noise(rng), 15, 45);
  d.battery = Clamp(14.4 - 0.4 * warm + 0.05 * noise(rng), 12.0, 14.5);
  d.closedLoop = d.coolant > 55 && d.throttle < 180;
  return d;
}

// Lambda sensor voltage in mV: swings rich/lean about once a second in
// closed loop, sits at 400 mV before that.
double LambdaMv(const Drive& d, double sec, std::mt19937& rng) {
  if (!d.closedLoop) return 400;
  std::uniform_real_distribution<double> jitter(-40, 40);
  return Clamp(500 + 380 * std::sin(kTwoPi * sec / 1.1) + jitter(rng), 100, 900);
}

double FuelTrimPct(double sec) { return 3.0 * std::sin(kTwoPi * sec / 23.0) - 1.0; }
// The ECU's raw short-term trim: 100 is no correction, one step one percent;
// it corrects only in closed loop.
int RawTrim(const Drive& d, double sec) {
  return d.closedLoop ? static_cast<int>(std::lround(100 + FuelTrimPct(sec))) : 100;
}
double CoilMs(const Drive& d) { return Clamp(3.0 - 0.25 * (d.battery - 13.0), 2.5, 4.0); }
int IdleSteps(const Drive& d) { return d.idle ? static_cast<int>(35 + 30 * (d.idleTarget - 850) / 250) : 30; }

int Byte(double v) { return static_cast<int>(Clamp(std::lround(v), 0, 255)); }

// Frame text: the code, two blanks, then each byte as two hex digits separated
// by one blank. Byte b then starts at 0-based index 3b + 4.
std::string FrameText(const char* code, const std::vector<int>& bytes) {
  std::string s = std::string(code) + "  ";
  char hex[3];
  for (size_t b = 0; b < bytes.size(); ++b) {
    std::snprintf(hex, sizeof hex, "%02X", bytes[b] & 0xFF);
    if (b > 0) s += ' ';
    s += hex;
  }
  for (size_t b = 0; b < bytes.size(); ++b) {
    std::snprintf(hex, sizeof hex, "%02X", bytes[b] & 0xFF);
    if (s.substr(3 * b + 4, 2) != hex) {  // checked in release builds too
      std::cerr << "zelk-makelogs: byte " << b << " misplaced in " << s << "\n";
      std::abort();
    }
  }
  return s;
}

void WriteFrameLog(std::ostream& out) {
  std::mt19937 rng(1987);
  out << "ZelkLog v1.2\r\nECU Zelkon ZX-16\r\nRecorded 2026-11-14 08:12:00\r\n";
  for (int i = 0; i < 12 * 145; ++i) {
    const double t = i / 145.0, sec = t * 60.0;
    const Drive d = Profile(t, rng);
    const int rpm = static_cast<int>(std::lround(d.rpm));
    const int dev = d.idle && rpm > 0 ? std::abs(rpm - static_cast<int>(d.idleTarget)) : 0;
    const int coil = static_cast<int>(std::lround(CoilMs(d) * 500));  // 2 us units
    const int steps = IdleSteps(d);

    std::vector<int> f80(29, 0);
    f80[0] = 0x1C;
    f80[1] = rpm >> 8;
    f80[2] = rpm & 0xFF;
    f80[3] = Byte(d.coolant + 55);
    f80[4] = Byte(d.ambient + 55);
    f80[5] = Byte(d.intake + 55);
    f80[6] = Byte(d.fuelTemp + 55);
    f80[7] = Byte(d.mapKpa);
    f80[8] = Byte(d.battery * 10);
    f80[9] = Byte(d.throttle);
    f80[10] = d.idle;
    f80[12] = d.neutral;
    f80[13] = d.coolantFault ? 0x01 : 0x00;
    f80[15] = Byte(d.idleTarget / 25);
    f80[16] = 0x23;
    f80[17] = 0x20 | (d.closedLoop ? 0x02 : 0) | (d.idle ? 0x01 : 0);
    f80[18] = steps;
    f80[19] = dev >> 8;
    f80[20] = dev & 0xFF;
    f80[21] = 0x80;  // ignition advance offset: 0x80 means none
    f80[22] = Byte((d.advance + 24) * 2);  // half degrees from -24°
    f80[23] = coil >> 8;
    f80[24] = coil & 0xFF;
    f80[26] = 0x03;
    out << FrameText("80", f80) << "\r\n";

    const double mv = LambdaMv(d, sec, rng);
    std::vector<int> f7d(32, 0);
    f7d[0] = 0x20;
    f7d[1] = 0xFF;
    f7d[2] = Byte((d.throttle - 20) / 235 * 85);  // degrees
    // Flags that follow the drive, so the bit display has something to show.
    f7d[3] = 0x10 | (d.idle ? 0x01 : 0) | (d.closedLoop ? 0x04 : 0) | (d.neutral ? 0x40 : 0);
    f7d[4] = d.throttle > 180 ? 125 : 147;  // air/fuel ratio x10
    f7d[6] = Byte(mv / 5);
    f7d[7] = d.closedLoop ? 0x20 : 0xFF;
    f7d[8] = d.closedLoop;
    f7d[9] = d.closedLoop;
    f7d[10] = d.closedLoop;
    f7d[11] = Byte(0x81 + 3 * std::sin(kTwoPi * sec / 200.0));
    f7d[12] = d.closedLoop ? Byte(100 + 10 * std::sin(kTwoPi * sec / 23.0)) : 100;
    f7d[13] = d.closedLoop && !d.idle ? Byte(0x10 + d.throttle / 6) : 0;
    f7d[15] = 0x23;
    f7d[17] = 0x40;
    f7d[18] = 0x80;
    f7d[19] = 0x0E;
    f7d[20] = Byte(dev);
    f7d[21] = 0x02;
    f7d[25] = 0x01;
    f7d[28] = 0x10;
    out << FrameText("7D", f7d) << "\r\n";
  }
}

// Crude GPS: heads roughly north-east from a start point, turning slowly.
struct Gps {
  double lat = 52.412340, lon = -1.543210, heading = 0.7;
  void Step(double kmh, double sec, double dt) {
    heading += 0.02 * std::sin(sec / 40.0);
    const double metres = kmh / 3.6 * dt;
    lat += metres * std::cos(heading) / 111320.0;
    lon += metres * std::sin(heading) / (111320.0 * std::cos(lat * std::numbers::pi / 180));
  }
};

void WriteTimeLog(std::ostream& out) {
  std::mt19937 rng(2024);
  out << "Time,RPM,IdleError,IdlePos(Steps),IdleSwitch,Coolant Temp (C),MAP(kPascals),"
         "Ignition Advance (degs),Inlet Temperature (C),Throttle Pos (V),Battery (V),"
         "CoilTime (ms),ClosedLoop,Lamda (mv),FuelTrim (%),IdleBasePositon (Steps),AirCon,"
         "F1,F2,FByte1,FByte2,RPM_Raw,Unknown,Ignition Tune (degs),IdleRPM_tune,Fuel Tune,"
         "VirtualMAF,Virtual Fuel,GPS Speed,GPS Longitude,GPS Latitude,GPS Altitude,Comment\r\n";
  Gps gps;
  char line[512];
  for (int i = 0; i < 12 * 60; ++i) {
    const double t = i / 60.0, sec = i;
    const Drive d = Profile(t, rng);
    gps.Step(d.speedKmh, sec, 1.0);
    const int rpm = static_cast<int>(std::lround(d.rpm));
    const int idleErr = d.idle && rpm > 0 ? rpm - static_cast<int>(d.idleTarget) : 0;
    const double maf = d.rpm * d.mapKpa * 1.6 / 2.0 / 60.0 / (8.314 * (d.intake + 273)) * 29;
    const double fuel = maf * 3600 / 14.7 / 740;  // litres per hour
    const int clock = 8 * 3600 + 12 * 60 + i;
    std::snprintf(line, sizeof line,
                  "%02d:%02d:%02d.000,%d,%d,%d,%d,%d,%d,%.1f,%d,%.3f,%.1f,%.2f,%d,%d,%d,%d,0,"
                  "%d,0,%d,0,%d,%d,0,0,0,%.2f,%.2f,%.1f,%.6f,%.6f,%.1f\r\n",
                  clock / 3600, clock / 60 % 60, clock % 60, rpm, idleErr, IdleSteps(d),
                  static_cast<int>(d.idle), static_cast<int>(std::lround(d.coolant)),
                  static_cast<int>(std::lround(d.mapKpa)), d.advance,
                  static_cast<int>(std::lround(d.intake)), d.throttle / 255.0, d.battery, CoilMs(d),
                  static_cast<int>(d.closedLoop),
                  static_cast<int>(std::lround(LambdaMv(d, sec, rng))), RawTrim(d, sec), 35,
                  static_cast<int>(d.coolantFault), d.coolantFault ? 1 : 0, rpm, 14, maf, fuel,
                  d.speedKmh, gps.lon, gps.lat, 95.0 + 12.0 * std::sin(sec / 150.0));
    out << line;
  }
}

void WriteShortTimeLog(std::ostream& out) {
  std::mt19937 rng(4242);
  out << "#time,RPM,Coolant Temp (C),Intake Temperature (C),Throttle Pos (V),MAP(Psi) (C),"
         "IdleBasePositon (Steps),Battery (V),Idle Switch,Closed Loop,Lamda (mv)\r\n";
  char line[256];
  for (int i = 0; i < 6 * 150; ++i) {
    const double t = i / 150.0, sec = t * 60.0;
    const Drive d = Profile(t, rng);
    std::snprintf(line, sizeof line, "%.2f,%d,%d,%d,%.2f,%.1f,%d,%.1f,%d,%d,%d\r\n", sec,
                  static_cast<int>(std::lround(d.rpm)), static_cast<int>(std::lround(d.coolant)),
                  static_cast<int>(std::lround(d.intake)), d.throttle * 5.0 / 255.0,
                  d.mapKpa * 0.145038, 35, d.battery, static_cast<int>(d.idle),
                  static_cast<int>(d.closedLoop),
                  static_cast<int>(std::lround(LambdaMv(d, sec, rng) * 10)));
    out << line;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zelk-makelogs <folder>\n";
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  const struct {
    const char* name;
    void (*write)(std::ostream&);
  } logs[] = {{"drive_frames.txt", WriteFrameLog},
              {"drive_time.txt", WriteTimeLog},
              {"drive_quillon.txt", WriteShortTimeLog}};
  // A log counts as written only when every byte of it reached the file, so
  // that an old log left in a folder that cannot be written is not taken for
  // a new one.
  for (const auto& log : logs) {
    std::ofstream out(dir + log.name, std::ios::binary);
    if (out) log.write(out);
    out.close();
    if (!out) {
      std::cerr << "zelk-makelogs: could not write " << dir + log.name << "\n";
      return 1;
    }
  }
  return 0;
}

// The fault and sensor lamps: which of the twelve the loaded log lights, read
// from the ECU's status bytes alone.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "store/log_store.h"

namespace zelk::status {

// The status bytes a lamp can read: 0x7D byte 5 and 0x80 bytes 13 and 14 of
// a frame log; a "Time" log keeps the last two in its "FByte1" and "FByte2"
// columns.
enum StatusByte : int { kFaultCodes0 = 0, kFaultCodes2 = 2, kFaultCodes3 = 3 };
inline constexpr int kStatusBytes = 6;

struct Lamp {
  StatusByte statusByte;
  uint8_t mask;
};

// Lamp i shows whether its mask's bits are set, top to bottom as on screen.
inline constexpr int kLampCount = 12;
inline constexpr std::array<Lamp, kLampCount> kLamps = {{
    {kFaultCodes2, 0x01},  // Coolant Sensor
    {kFaultCodes2, 0x02},  // Air Temp Sensor
    {kFaultCodes2, 0x20},  // FuelTemp Sensor
    {kFaultCodes2, 0x40},  // Engine Knock Sensor
    {kFaultCodes3, 0x01},  // Temp Gauge
    {kFaultCodes3, 0x02},  // Fuel Pump Relay
    {kFaultCodes3, 0x20},  // MAP Sensor
    {kFaultCodes3, 0x80},  // Throttle Pos Sensor
    {kFaultCodes3, 0x10},  // Purge Valve
    {kFaultCodes0, 0x08},  // Lamda Heater
    {kFaultCodes3, 0x08},  // AirCon Valve
    {kFaultCodes2, 0x08},  // Turbo Sensor
}};

// Each status byte with every bit that any of the log's readings sets: every
// stored frame of a frame log (also an unpaired last one) or every record of
// a "Time" log. A reading that is missing or no byte counts for nothing, so a
// fault the ECU reports at any point of the trip stays lit. A "#time" log has
// no status bytes: all are 0.
std::array<uint8_t, kStatusBytes> StatusBytesOf(const store::LogData& log);

// Which lamps are red: those whose fault some reading of the log reports.
std::array<bool, kLampCount> LampStates(const store::LogData& log);

// When a lamp's fault is reported: the first and the last reading that sets
// its mask wholly, and how many readings do. Reading i is sample i: frame i
// of a frame log (an unpaired last frame is a reading past the last sample),
// record i of a "Time" log. A fault never reported has a count of 0.
struct FaultSpan {
  long first = 0, last = 0, count = 0;
  bool operator==(const FaultSpan&) const = default;
};
std::array<FaultSpan, kLampCount> FaultSpans(const store::LogData& log);

// A red lamp's tool tip: when its fault was first and last reported, as the
// time from the log's start and the sample, and in how many samples. Empty
// for a fault never reported, whose lamp keeps the tool tip it has.
std::string FaultToolTip(const FaultSpan& span, store::LogFormat format);

}  // namespace zelk::status

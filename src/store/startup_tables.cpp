#include "store/startup_tables.h"

namespace zelk::store {
namespace {

const std::string kEmpty;

constexpr const char* kFrame80Names[] = {
    "Frame Size",    "RPM High",       "RPM Low",          "Coolant Temp",
    "Ambient Temp",  "Intake Temp",    "Fuel Temp",        "MAP",
    "Battery",       "Throttle Pot",   "Idle Switch",      "Unknown",
    "Neutral Switch", "Fault Codes 2", "Fault Codes 3",    "Idle Set Point",
    "Idle HotBDPos", "Unknown",        "Idle Air Control", "Idle Speed",
    "Idle Speed",    "Ignition Advance Offset", "Ignition Advance", "Coil Time",
    "Coil Time",     "Unknown",        "Unknown",          "Unknown",
    "Unknown"};

constexpr const char* kFrame7DNames[] = {
    "Frame Size",     "Ignition Switch ?", "Throttle Angle",  "Unknown",
    "Fuel/Air",       "Fault Codes 0",     "Lambda Voltage",  "Lambda Frequency",
    "Lambda Cycle",   "Lambda Status",     "Lambda Loop",     "Long Term Trim?",
    "Short Term Trim", "Carbon Canister",  "Fault Codes 1",   "Idle Base",
    "Unknown",        "Unknown",           "Ignition Advance Offset", "Unknown",
    "Idle Error",     "Unknown",           "Fault Code 4",    "Unknown",
    "Unknown",        "Unknown",           "Unknown",         "Unknown",
    "Unknown",        "Unknown",           "Unknown",         "Unknown"};

// The bytes that hold on/off flags, shown bit by bit: the fault codes among
// them (0x80 bytes 13 and 14, 0x7D bytes 5, 14 and 22).
constexpr int kFrame80BitBytes[] = {13, 14, 17, 26, 27};
constexpr int kFrame7DBitBytes[] = {3, 5, 14, 16, 17, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};

constexpr const char* kColumnNames[] = {
    "RPM", "IdleError", "IdlePos(Steps)", "IdleSwitch", "Coolant Temp (C)", "MAP(kPascals)",
    "Ignition Advance (degs)", "Inlet Temperature (C)", "Throttle Pos (V)", "Battery (V)",
    "CoilTime (ms)", "ClosedLoop", "Lamda (mv)", "FuelTrim (%)", "IdleBasePositon (Steps)",
    "AirCon", "F1", "F2", "FByte1", "FByte2", "RPM_Raw", "Unknown", "Ignition Tune (degs)",
    "IdleRPM_tune", "Fuel Tune", "VirtualMAF", "Virtual Fuel", "GPS Speed", "GPS Longitude",
    "GPS Latitude", "GPS Altitude"};

constexpr const char* kShortColumnNames[] = {
    "RPM", "Coolant Temp (C)", "Intake Temperature (C)", "Throttle Pos (V)", "MAP(Psi) (C)",
    "IdleBasePositon (Steps)", "Battery (V)", "Idle Switch", "Closed Loop", "Lamda (mv)"};

constexpr int16_t kWindowMinutes[] = {2, 5, 10, 20, 30};

constexpr const char* kVersions[] = {
    "V1.00 - Initial Issue", "V1.01 - Added LTFT Readout", "V1.02 - Added STFT Display",
    "V1.03 - Added BIT Display", "V1.04 - Bug fixes"};

bool InRange(int i, size_t size) { return i >= 0 && static_cast<size_t>(i) < size; }

}  // namespace

StartupTables InitTables() {
  StartupTables t;
  for (const char* line : kVersions) {
    if (!t.versionHistory.empty()) t.versionHistory += "\r\n";
    t.versionHistory += line;
  }
  int b = 0;
  for (const char* name : kFrame7DNames) t.fieldNames[1][b++] = name;
  b = 0;
  for (const char* name : kFrame80Names) t.fieldNames[0][b++] = name;
  for (int byte : kFrame80BitBytes) t.bitFlags[0][byte] = 1;
  for (int byte : kFrame7DBitBytes) t.bitFlags[1][byte] = 1;
  const auto nameColumns = [&t](LogFormat format, const auto& names) {
    int c = 1;
    for (const char* name : names) t.columnNames[format][c++] = name;
  };
  nameColumns(kTimeLog, kColumnNames);
  nameColumns(kShortTimeLog, kShortColumnNames);
  int k = 1;
  for (int16_t m : kWindowMinutes) t.minutes[k++] = m;
  return t;
}

const std::string& StartupTables::FieldName(int page, int byte) const {
  return InRange(page, fieldNames.size()) && InRange(byte, fieldNames[0].size())
             ? fieldNames[page][byte]
             : kEmpty;
}

int16_t StartupTables::BitFlag(int page, int byte) const {
  return InRange(page, bitFlags.size()) && InRange(byte, bitFlags[0].size()) ? bitFlags[page][byte]
                                                                            : 0;
}

const std::string& StartupTables::ColumnName(LogFormat format, int column) const {
  return InRange(format, columnNames.size()) && InRange(column, columnNames[0].size())
             ? columnNames[format][column]
             : kEmpty;
}

const std::string& StartupTables::EntryName(LogFormat format, int page, int entry) const {
  return KindOf(format).frames ? FieldName(page, entry) : ColumnName(format, entry + 1);
}

int16_t StartupTables::Minutes(int k) const {
  return InRange(k, minutes.size()) ? minutes[k] : 0;
}

}  // namespace zelk::store

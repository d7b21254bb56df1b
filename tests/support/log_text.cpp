#include "log_text.h"

namespace zelk::testlogs {

namespace {

std::string Hex2(int value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

std::string Frame(const char* code, const std::vector<int>& bytes) {
  std::string text = std::string(code) + "  ";
  for (size_t b = 0; b < bytes.size(); ++b) {
    if (b) text += ' ';
    text += Hex2(bytes[b]);
  }
  return text;
}

}  // namespace

std::string Frame80(int rpm, int byte13) {
  std::vector<int> bytes(29, 0);
  bytes[0] = 0x1C;
  bytes[1] = (rpm >> 8) & 0xFF;
  bytes[2] = rpm & 0xFF;
  bytes[13] = byte13;
  return Frame("80", bytes);
}

std::string Frame7D(int byte11) {
  std::vector<int> bytes(32, 0);
  bytes[0] = 0x20;
  bytes[11] = byte11;
  return Frame("7D", bytes);
}

std::string FrameLog(int samples, const std::vector<int>& rpms, const std::string& eol,
                     int extra80) {
  std::string text = "ZelkLog" + eol + "ECU test" + eol + "recorded" + eol;
  for (int i = 0; i < samples + extra80; ++i) {
    text += Frame80(rpms.empty() ? 0 : rpms[i % rpms.size()]) + eol;
    if (i < samples) text += Frame7D() + eol;
  }
  return text;
}

}  // namespace zelk::testlogs

#include "log_text.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace zelk::testlogs {

std::string WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  return path.string();
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

Texts Split(const std::string& text, char separator) {
  Texts pieces;
  std::istringstream in(text);
  for (std::string piece; std::getline(in, piece, separator);) pieces.push_back(piece);
  return pieces;
}

std::string Hex(int value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

namespace {

// A header of `first` and `names` more fields, then one row per sample: a
// time field and `values` values.
std::string ColumnLog(const std::string& first, int names, int values,
                      const std::map<int, std::vector<std::string>>& columns) {
  size_t rows = 0;
  for (const auto& [column, texts] : columns) rows = std::max(rows, texts.size());
  std::string text = first;
  for (int k = 1; k <= names; ++k) text += ",h" + std::to_string(k);
  text += "\r\n";
  for (size_t r = 0; r < rows; ++r) {
    text += std::to_string(r + 1);
    for (int k = 1; k <= values; ++k) {
      const auto it = columns.find(k);
      text += "," + (it != columns.end() && r < it->second.size() ? it->second[r] : "0");
    }
    text += "\r\n";
  }
  return text;
}

// A frame text of `code` and `count` bytes.
std::string Frame(const std::string& code, int count, const std::map<int, std::string>& bytes) {
  std::string text = code + "  ";
  for (int b = 0; b < count; ++b) {
    if (b) text += ' ';
    const auto it = bytes.find(b);
    text += it != bytes.end() ? it->second : b == 0 ? Hex(count - 1) : "00";
  }
  return text;
}

}  // namespace

std::string Frame80With(const std::map<int, std::string>& bytes) { return Frame("80", 29, bytes); }
std::string Frame7DWith(const std::map<int, std::string>& bytes) { return Frame("7D", 32, bytes); }

std::string FrameLogOf(const std::vector<std::string>& frames80,
                       const std::vector<std::string>& frames7D) {
  std::string text = "ZelkLog\r\nECU test\r\nrecorded\r\n";
  for (size_t i = 0; i < std::max(frames80.size(), frames7D.size()); ++i) {
    text += (i < frames80.size() ? frames80[i] : Frame80With({})) + "\r\n";
    text += (i < frames7D.size() ? frames7D[i] : Frame7DWith({})) + "\r\n";
  }
  return text;
}

std::string TimeLog(const std::map<int, std::vector<std::string>>& columns) {
  return ColumnLog("Time", 32, 31, columns);
}

std::string ShortTimeLog(const std::map<int, std::vector<std::string>>& columns) {
  return ColumnLog("#time", 10, 10, columns);
}

std::string FrameLog(int samples, const std::vector<int>& rpms, const std::string& eol,
                     int extra80) {
  std::string text = "ZelkLog" + eol + "ECU test" + eol + "recorded" + eol;
  for (int i = 0; i < samples + extra80; ++i) {
    const int rpm = rpms.empty() ? 0 : rpms[i % rpms.size()];
    text += Frame80With({{1, Hex(rpm >> 8)}, {2, Hex(rpm)}}) + eol;
    if (i < samples) text += Frame7DWith({{0, "20"}, {11, "80"}}) + eol;
  }
  return text;
}

}  // namespace zelk::testlogs

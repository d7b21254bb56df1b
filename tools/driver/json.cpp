#include "json.h"

#include <charconv>
#include <cmath>

namespace zelk::driver {
namespace {

// Length of the valid UTF-8 sequence at the start of `s`, or 0.
size_t Utf8Length(std::string_view s) {
  const auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char c = b(0);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (n == 0 || n > s.size()) return 0;
  if (n == 2 && c < 0xC2) return 0;
  for (size_t i = 1; i < n; ++i) {
    if ((b(i) & 0xC0) != 0x80) return 0;
  }
  if (n == 3 && ((c == 0xE0 && b(1) < 0xA0) || (c == 0xED && b(1) >= 0xA0))) return 0;
  if (n == 4 && ((c == 0xF0 && b(1) < 0x90) || c > 0xF4 || (c == 0xF4 && b(1) >= 0x90))) return 0;
  return n;
}

template <class T>
std::string Shortest(T value) {
  if (!std::isfinite(value)) return "null";
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

}  // namespace

void Json::Separate() {
  if (needComma_) out_ += ',';
  needComma_ = true;
}

Json& Json::BeginObject() {
  Separate();
  out_ += '{';
  needComma_ = false;
  return *this;
}
Json& Json::EndObject() {
  out_ += '}';
  needComma_ = true;
  return *this;
}
Json& Json::BeginArray() {
  Separate();
  out_ += '[';
  needComma_ = false;
  return *this;
}
Json& Json::EndArray() {
  out_ += ']';
  needComma_ = true;
  return *this;
}

Json& Json::Key(std::string_view key) {
  String(key);
  out_ += ':';
  needComma_ = false;
  return *this;
}

Json& Json::String(std::string_view text) {
  Separate();
  out_ += '"';
  static constexpr char kHex[] = "0123456789abcdef";
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += static_cast<char>(c);
    } else if (c == '\n') {
      out_ += "\\n";
    } else if (c == '\r') {
      out_ += "\\r";
    } else if (c == '\t') {
      out_ += "\\t";
    } else if (c < 0x20) {
      out_ += "\\u00";
      out_ += kHex[c >> 4];
      out_ += kHex[c & 0xF];
    } else if (c >= 0x80) {
      const size_t n = Utf8Length(text.substr(i));
      if (n == 0) {
        out_ += "\xEF\xBF\xBD";
        ++i;
      } else {
        out_.append(text.substr(i, n));
        i += n;
      }
      continue;
    } else {
      out_ += static_cast<char>(c);
    }
    ++i;
  }
  out_ += '"';
  return *this;
}

Json& Json::Number(double value) { return Raw(Shortest(value)); }
Json& Json::Number(float value) { return Raw(Shortest(value)); }
Json& Json::Number(long long value) { return Raw(std::to_string(value)); }

Json& Json::Raw(std::string_view number) {
  Separate();
  out_ += number;
  return *this;
}

Json& Json::Bool(bool value) { return Raw(value ? "true" : "false"); }
Json& Json::Null() { return Raw("null"); }

}  // namespace zelk::driver

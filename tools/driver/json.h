// A small writer of compact JSON for the driver's dump.
#pragma once

#include <string>
#include <string_view>

namespace zelk::driver {

class Json {
 public:
  Json& BeginObject();
  Json& EndObject();
  Json& BeginArray();
  Json& EndArray();
  Json& Key(std::string_view key);
  Json& String(std::string_view text);  // invalid UTF-8 becomes U+FFFD
  Json& Number(double value);           // shortest text that reads back the same
  Json& Number(float value);
  Json& Number(long long value);
  Json& Raw(std::string_view number);   // an already formatted number
  Json& Bool(bool value);
  Json& Null();
  const std::string& str() const { return out_; }

 private:
  void Separate();
  std::string out_;
  bool needComma_ = false;
};

}  // namespace zelk::driver

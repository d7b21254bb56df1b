#include "text/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace zelk::text {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberText, BlankSignedAndPlain) {
  // No exponent however large or small, 15 significant digits written out in
  // full; the non-finite values callers guard against read as 0.
  const std::tuple<double, const char*, const char*> cases[] = {
      // clang-format off
      {126.0 / 10, " 12.6", "12.6"}, {13, " 13", "13"}, {0.435, " .435", "0.435"},
      {87 * 0.005, " .435", "0.435"}, {0.1 + 0.2, " .3", "0.3"}, {-3, "-3", "-3"},
      {-0.5, "-.5", "-0.5"}, {0, " 0", "0"}, {-0.0, " 0", "0"}, {1e-5, " .00001", "0.00001"},
      {1.0 / 3, " .333333333333333", "0.333333333333333"}, {1.09, " 1.09", "1.09"},
      {-0.0625, "-.0625", "-0.0625"}, {123456789012.00002, " 123456789012", "123456789012"},
      {999999999999999, " 999999999999999", "999999999999999"},
      {999999999999999.9, " 1000000000000000", "1000000000000000"},
      {1.5e16, " 15000000000000000", "15000000000000000"}, {-2.5e-7, "-.00000025", "-0.00000025"},
      {9.99e-6, " .00000999", "0.00000999"}, {1e-6, " .000001", "0.000001"},
      {kNaN, " 0", "0"}, {-kInf, " 0", "0"}};
  // clang-format on
  for (const auto& [value, blankSigned, plain] : cases) {
    EXPECT_EQ(BlankSigned(value), blankSigned) << plain;
    EXPECT_EQ(Plain(value), plain) << plain;
  }
}

TEST(NumberText, RoundHalfEvenAndToInt16) {
  // clang-format off
  const std::vector<std::pair<double, double>> rounds = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {8.5, 8}, {9.5, 10}, {-2.5, -2}, {-1.5, -2}, {2.6, 3},
      {4503599627370495.5, 4503599627370496}};
  // clang-format on
  for (auto [in, out] : rounds) EXPECT_EQ(RoundHalfEven(in), out) << in;
  // clang-format off
  const std::vector<std::pair<double, std::optional<int16_t>>> ints = {
      {850.4, 850}, {32767.4, 32767}, {32767.5, std::nullopt}, {-32768.5, -32768},
      {-32768.6, std::nullopt}, {kNaN, std::nullopt}, {kInf, std::nullopt}};
  // clang-format on
  for (auto [in, out] : ints) EXPECT_EQ(ToInt16(in), out) << in;
}

TEST(NumberText, LeadingNumber) {
  // Long texts are correctly rounded (the midpoint here is 0.30000000000000001665334...)
  // and overflow to infinity or underflow to 0.
  // clang-format off
  const std::vector<std::pair<std::string, double>> cases = {
      {" 850", 850}, {"N/A", 0}, {"", 0}, {"12.5.3", 12.5}, {".5", 0.5}, {"-.5", -0.5}, {"5.", 5},
      {"1e5", 1}, {"  -3x", -3}, {"-", 0}, {".", 0}, {"+7", 7}, {"\t 2.25 V", 2.25}, {"- 5", 0},
      {"0.3000000000000000166533", 0.3}, {"0.3000000000000000166534", 0.30000000000000004},
      {"-1" + std::string(400, '0'), -kInf}, {"0." + std::string(400, '0') + "1", 0}};
  // clang-format on
  for (const auto& [in, out] : cases) EXPECT_EQ(LeadingNumber(in), out) << '"' << in << '"';
}

TEST(NumberText, Hex) {
  // Beyond four digits only leading zeros in front of 0..7FFF are accepted.
  // clang-format off
  const std::vector<std::pair<const char*, std::optional<int16_t>>> strict = {
      {"FF", 255}, {"ff", 255}, {"0352", 850}, {"8000", -32768}, {"FFFF", -1}, {"7FFF", 32767},
      {"", std::nullopt}, {"G1", std::nullopt}, {" 1", std::nullopt}, {"12345", std::nullopt},
      {"00001", 1}, {"07FFF", 32767}, {"08000", std::nullopt}, {"000010000", std::nullopt}};
  // clang-format on
  for (auto [in, out] : strict) EXPECT_EQ(HexStrict(in), out) << '"' << in << '"';

  // clang-format off
  const std::vector<std::pair<const char*, long>> tolerant = {
      {"0G", 0}, {"G0", 0}, {"", 0}, {"F7", 247}, {"8", 8}, {"aB", 171}, {"FFFFFFFF", 4294967295L},
      {"123456789", 0x12345678}, {"0000000000FF", 255}};
  // clang-format on
  for (auto [in, out] : tolerant) EXPECT_EQ(HexTolerant(in), out) << '"' << in << '"';
}

// Rounding is half away from zero on the 15-digit form, carrying through every
// digit; a result that rounds to zero loses its sign.
TEST(NumberText, FormatFixed) {
  // Value, decimals, least whole digits, suffix and text.
  const std::tuple<double, int, int, const char*, const char*> cases[] = {
      // clang-format off
      {0, 1, 1, "", "0.0"}, {3.5999999999999996, 1, 1, "", "3.6"}, {1234.56, 1, 1, "", "1234.6"},
      {21.0, 1, 1, "\u00B0", "21.0\u00B0"}, {0.25, 1, 1, "", "0.3"}, {0.35, 1, 1, "", "0.4"},
      {12.45, 1, 1, "", "12.5"}, {-1.25, 1, 1, "", "-1.3"}, {2.5, 0, 1, "", "3"},
      {-99.95, 1, 1, "", "-100.0"}, {0.96, 0, 1, "", "1"}, {-0.04, 1, 1, "", "0.0"},
      {-0.4, 0, 1, "", "0"}, {0.5, 1, 0, "", ".5"}, {7.25, 2, 3, " ms", "007.25 ms"},
      {kNaN, 1, 1, "%", "0.0%"}};
  // clang-format on
  for (const auto& [value, decimals, minIntDigits, suffix, text] : cases) {
    EXPECT_EQ(FormatFixed(value, decimals, minIntDigits, suffix), text) << value << " " << decimals;
  }
}

// Whole tenths of a second, so that 59.96 s carries into the next minute.
TEST(NumberText, ClockText) {
  const std::pair<double, const char*> cases[] = {
      {0, "0:00.0"},        {0.5, "0:30.0"}, {59.96 / 60, "1:00.0"}, {61.0 / 60, "1:01.0"},
      {125.99, "125:59.4"}, {-1, "0:00.0"},  {kNaN, "0:00.0"}};
  for (const auto& [minutes, clock] : cases) EXPECT_EQ(ClockText(minutes), clock) << minutes;
}

// Digits below 10^-18 are rounded half to even; magnitudes clamp at 1e20.
TEST(NumberText, DecimalFromDoubleKeeps15Digits) {
  // clang-format off
  const std::vector<std::pair<double, const char*>> cases = {
      {10500.0 / 998, "10.5210420841683"}, {-5250, "-5250"}, {-0.0, "0"}, {kNaN, "0"},
      {1.5e-18, "0.000000000000000002"}, {-2.5e-18, "-0.000000000000000002"},
      {6e-19, "0.000000000000000001"}, {123456789012345e-20, "0.000001234567890123"},
      {-1e25, "-100000000000000000000"}};
  // clang-format on
  for (auto [in, out] : cases) EXPECT_EQ(Decimal::FromDouble(in).ToText(), out) << in;
  EXPECT_EQ(Decimal::FromInt(9'000'000'000'000'000'000LL).ToText(), "9000000000000000000");
}

TEST(NumberText, DecimalSumsDoNotDrift) {
  Decimal pos = Decimal::FromInt(550);
  const Decimal step = Decimal::FromDouble(10500.0 / 998);
  for (int i = 0; i < 998; ++i) pos += step;
  EXPECT_EQ(pos.ToText(), "11049.9999999999634");
  EXPECT_EQ(pos.ToDouble(), 11049.9999999999634);

  Decimal whole = Decimal::FromInt(550);
  for (int i = 0; i < 100; ++i) whole = whole + Decimal::FromDouble(105);
  EXPECT_EQ(whole, Decimal::FromInt(11050));
}

// Exact halves between two floats go to the even one. Just above a half, going
// through a double would first land on the half and then round down.
TEST(NumberText, DecimalToFloatRoundsOnceFromTheExactValue) {
  const Decimal k2048 = Decimal::FromInt(2048);
  const Decimal halfUlp = Decimal::FromDouble(0.0001220703125);  // 2^-13
  const std::vector<std::pair<Decimal, float>> cases = {
      {k2048 + halfUlp, 2048.0f},
      {k2048 + Decimal::FromDouble(0.0003662109375), 2048.00048828125f},
      {k2048 + halfUlp + Decimal::FromDouble(1e-18), 2048.000244140625f},
      {Decimal::FromDouble(-4000.68), -4000.68f}};
  for (const auto& [in, out] : cases) EXPECT_EQ(in.ToFloat(), out) << in.ToText();
}

// The quick conversions that graphs and listings run per sample must give what
// the full conversions give, over the values that logs and windows produce.
TEST(NumberText, QuickConversionsAgreeWithTheFullOnes) {
  for (int n = -3000; n <= 3000; n += 7) {
    for (double scale : {1.0, 10.0, 200.0, 1000.0, 3.0, 0.005}) {
      const double value = n / scale;
      // 15 significant digits, read back: what BlankSigned must show.
      char digits[40];
      const auto end =
          std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 14)
              .ptr;
      const double rounded = std::strtod(std::string(digits, end).c_str(), nullptr);
      const std::string shown = BlankSigned(value);
      ASSERT_EQ(ReadDecimal(shown), rounded) << value << " " << shown;
      // Reading a listed text back, through the short and the long path.
      ASSERT_EQ(LeadingNumber(shown), std::strtod(shown.c_str(), nullptr)) << shown;
      ASSERT_EQ(LeadingNumber(Plain(value) + "V"), std::strtod(Plain(value).c_str(), nullptr));
    }
  }
  // x positions: every step a window can have, added up across the graph.
  for (int span = 2; span <= 10000; span += 997) {
    const Decimal step = Decimal::FromDouble(10500.0 / span);
    Decimal x = Decimal::FromInt(550);
    for (int i = 0; i <= span; i += 13, x += step) {
      float exact = 0;
      const std::string text = x.ToText();
      std::from_chars(text.data(), text.data() + text.size(), exact);
      ASSERT_EQ(x.ToFloat(), exact) << text;
    }
  }
}

}  // namespace
}  // namespace zelk::text
